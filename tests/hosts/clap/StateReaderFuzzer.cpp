// libFuzzer target for the state reader: any bytes, handed over in reads of a size the input's
// first byte picks, must load without touching memory outside a buffer (built with clang and
// AddressSanitizer by tools/ci/fuzz.sh). One instance serves every input.
#include "ClapExtensions.h"
#include "HostContext.h"
#include "MemoryStreams.h"
#include "PendingValues.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace {

const clap_plugin_t* fuzzedPlugin()
{
    static HostContext host;
    static const clap_plugin_t* const plugin = [] {
        Orvane::pendingBufferSize = 256;
        Orvane::pendingSampleRate = 48000.0;
        const clap_plugin_t* const created = Orvane::createClapPlugin(nullptr, host.host());
        created->init(created);
        return created;
    }();
    return plugin;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const size_t readSizes[] = {1, 2, 3, 7, 64, 511, 512, 4096};
    MemoryInputStream stream(std::string(reinterpret_cast<const char*>(data) + 1, size - 1),
        readSizes[data[0] % (sizeof(readSizes) / sizeof(readSizes[0]))]);
    const clap_plugin_t* const plugin = fuzzedPlugin();
    Orvane::stateExtension()->load(plugin, stream.stream());
    return 0;
}
