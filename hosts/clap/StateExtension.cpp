// "clap.state": save and load through the host's streams. Main thread.
#include "ClapExtensions.h"
#include "PluginCLAP.h"
#include "StateReader.h"
#include "StateWriter.h"

namespace Orvane {

namespace {

bool save(const clap_plugin_t* plugin, const clap_ostream_t* stream) noexcept
{
    PluginCLAP* const instance = instanceOf(plugin);
    if (instance == nullptr || stream == nullptr || stream->write == nullptr)
        return false;
    return writeState(instance->adapter(), *stream);
}

bool load(const clap_plugin_t* plugin, const clap_istream_t* stream) noexcept
{
    PluginCLAP* const instance = instanceOf(plugin);
    if (instance == nullptr || stream == nullptr || stream->read == nullptr)
        return false;
    StateReader reader(*instance);
    return reader.load(*stream);
}

constexpr clap_plugin_state_t kState = {save, load};

} // namespace

const clap_plugin_state_t* stateExtension() noexcept
{
    return &kState;
}

} // namespace Orvane
