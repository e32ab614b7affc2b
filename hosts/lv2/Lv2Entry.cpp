// The DSP library's one exported symbol, lv2_descriptor, and the C entry points that turn calls
// on an LV2_Handle into calls on one PluginLv2. Instantiation, activation, clean-up and
// extension_data on the host's main thread; connect_port and run on the audio thread.
#include "Lv2Uris.h"
#include "PluginLv2.h"

#include <lv2/core/lv2.h>
#include <lv2/options/options.h>

#include <cstring>

namespace Orvane {

namespace {

PluginLv2* self(LV2_Handle handle) noexcept
{
    return static_cast<PluginLv2*>(handle);
}

LV2_Handle instantiate(const LV2_Descriptor*, double sampleRate, const char* bundlePath,
    const LV2_Feature* const* features)
{
    try {
        return PluginLv2::create(sampleRate, bundlePath, features);
    } catch (...) {
        return nullptr;
    }
}

void connectPort(LV2_Handle handle, uint32_t port, void* data) noexcept
{
    self(handle)->connectPort(port, data);
}

void activate(LV2_Handle handle)
{
    self(handle)->activate();
}

void run(LV2_Handle handle, uint32_t frames) noexcept
{
    self(handle)->run(frames);
}

void deactivate(LV2_Handle handle)
{
    self(handle)->deactivate();
}

void cleanup(LV2_Handle handle)
{
    delete self(handle);
}

uint32_t getOptions(LV2_Handle, LV2_Options_Option*)
{
    return LV2_OPTIONS_ERR_UNKNOWN;
}

uint32_t setOptions(LV2_Handle handle, const LV2_Options_Option* options)
{
    return self(handle)->setOptions(options);
}

const LV2_Options_Interface optionsInterface = {getOptions, setOptions};

const void* extensionData(const char* uri)
{
    if (std::strcmp(uri, LV2_OPTIONS__interface) == 0)
        return &optionsInterface;
    return nullptr;
}

const LV2_Descriptor descriptor = {
    kLv2PluginUri, instantiate, connectPort, activate, run, deactivate, cleanup, extensionData};

} // namespace

} // namespace Orvane

extern "C" LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index)
{
    return index == 0 ? &Orvane::descriptor : nullptr;
}
