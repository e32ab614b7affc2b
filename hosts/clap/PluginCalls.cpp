// The plug-in structure handed to the host: allocation and the static trampolines of the CLAP
// plug-in functions, which check the host's arguments and call the PluginCLAP. Threads as in
// the CLAP standard: process on the audio thread, everything else on the main thread.
#include "ClapExtensions.h"
#include "PluginCLAP.h"
#include "SoftAssert.h"

#include <cstring>
#include <new>

namespace Orvane {

namespace {

bool init(const clap_plugin_t* plugin) noexcept
{
    PluginCLAP* const instance = instanceOf(plugin);
    return instance != nullptr && instance->init();
}

void destroy(const clap_plugin_t* plugin) noexcept
{
    if (plugin == nullptr)
        return;
    delete instanceOf(plugin);
    delete plugin;
}

bool activate(
    const clap_plugin_t* plugin, double sampleRate, uint32_t minFrames, uint32_t maxFrames) noexcept
{
    PluginCLAP* const instance = instanceOf(plugin);
    return instance != nullptr && instance->activate(sampleRate, minFrames, maxFrames);
}

void deactivate(const clap_plugin_t* plugin) noexcept
{
    if (PluginCLAP* const instance = instanceOf(plugin))
        instance->deactivate();
}

bool startProcessing(const clap_plugin_t*) noexcept
{
    return true;
}

void doNothing(const clap_plugin_t*) noexcept
{
}

void onMainThread(const clap_plugin_t* plugin) noexcept
{
    if (PluginCLAP* const instance = instanceOf(plugin))
        instance->onMainThread();
}

clap_process_status process(const clap_plugin_t* plugin, const clap_process_t* data) noexcept
{
    PluginCLAP* const instance = instanceOf(plugin);
    if (instance == nullptr || data == nullptr)
        return CLAP_PROCESS_ERROR;
    return instance->process(*data);
}

const void* getExtension(const clap_plugin_t* plugin, const char* id) noexcept
{
    if (instanceOf(plugin) == nullptr || id == nullptr)
        return nullptr;
    if (std::strcmp(id, CLAP_EXT_PARAMS) == 0)
        return paramsExtension();
    if (std::strcmp(id, CLAP_EXT_STATE) == 0)
        return stateExtension();
    if (std::strcmp(id, CLAP_EXT_AUDIO_PORTS) == 0)
        return audioPortsExtension();
    if (std::strcmp(id, CLAP_EXT_NOTE_PORTS) == 0)
        return notePortsExtension();
    if (std::strcmp(id, CLAP_EXT_GUI) == 0)
        return guiExtension();
    if (std::strcmp(id, CLAP_EXT_TIMER_SUPPORT) == 0)
        return timerExtension();
    return nullptr;
}

} // namespace

const clap_plugin_t* createClapPlugin(
    const clap_plugin_descriptor_t* descriptor, const clap_host_t* host) noexcept
{
    if (host == nullptr)
        return nullptr;
    clap_plugin_t* const pluginptr = new (std::nothrow) clap_plugin_t;
    if (!ORVANE_CHECK(pluginptr != nullptr))
        return nullptr;

    PluginCLAP* instance = nullptr;
    try {
        instance = new PluginCLAP(host);
    } catch (...) {
        // The plug-in's constructor may throw; no exception crosses into the host.
    }
    if (instance == nullptr) {
        delete pluginptr;
        return nullptr;
    }
    *pluginptr = clap_plugin_t{descriptor, instance, init, destroy, activate, deactivate,
        startProcessing, doNothing, doNothing, process, getExtension, onMainThread};
    return pluginptr;
}

} // namespace Orvane
