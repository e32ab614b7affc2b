// Log and send hooks of the patch. Whichever thread runs the patch.
#include "PatchHooks.h"

#include <cstdio>

namespace Orvane {

namespace {

constexpr size_t kMaxLineText = 63;

} // namespace

void pluginLogHook(KrellContextInterface*, const char* printerName, const char* text) noexcept
{
    char line[kMaxLineText + 1];
    std::snprintf(line, sizeof(line), "%.48s %s", printerName != nullptr ? printerName : "",
        text != nullptr ? text : "");
    std::printf("> %s \n", line);
}

void pluginSendHook(KrellContextInterface*, const char*, uint32_t, const Message*) noexcept
{
}

} // namespace Orvane
