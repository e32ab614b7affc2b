// The hooks the plug-in installs on its patch: printed messages go to standard output, messages
// that leave the patch are dropped. Called by the patch, on whichever thread runs it.
#pragma once

#include <cstdint>

class KrellContextInterface;
struct Message;

namespace Orvane {

// One line "> " + text + " \n"; the text (printer name of at most 48 bytes, a space, the message)
// is cut at 63 bytes.
void pluginLogHook(
    KrellContextInterface* context, const char* printerName, const char* text) noexcept;

// The plug-in has no use for messages leaving the patch.
void pluginSendHook(KrellContextInterface* context, const char* sendName, uint32_t sendHash,
    const Message* message) noexcept;

} // namespace Orvane
