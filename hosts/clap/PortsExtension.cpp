// "clap.audio-ports" (from the bus lists built at creation) and "clap.note-ports" (one MIDI port
// each way). Main thread.
#include "ClapExtensions.h"
#include "PluginCLAP.h"
#include "SoftAssert.h"

#include <cstdio>

namespace Orvane {

namespace {

uint32_t audioPortCount(const clap_plugin_t* plugin, bool isInput) noexcept
{
    PluginCLAP* const instance = instanceOf(plugin);
    return instance != nullptr ? static_cast<uint32_t>(instance->buses(isInput).buses.size()) : 0;
}

bool audioPortGet(const clap_plugin_t* plugin, uint32_t index, bool isInput,
    clap_audio_port_info_t* info) noexcept
{
    PluginCLAP* const instance = instanceOf(plugin);
    if (instance == nullptr || info == nullptr)
        return false;
    const std::vector<BusInfo>& busInfos = instance->buses(isInput).buses;
    if (!ORVANE_CHECK_UINT(index < busInfos.size(), index))
        return false;
    const BusInfo& bus = busInfos[index];
    *info = clap_audio_port_info_t{};
    info->id = bus.id;
    std::snprintf(info->name, sizeof(info->name), "%s", bus.name);
    info->flags = bus.isMain ? CLAP_AUDIO_PORT_IS_MAIN : 0;
    info->channel_count = bus.channelCount;
    if (bus.id == GroupStereo)
        info->port_type = CLAP_PORT_STEREO;
    else if (bus.id == GroupMono)
        info->port_type = CLAP_PORT_MONO;
    info->in_place_pair = bus.hasPair ? bus.id : CLAP_INVALID_ID;
    return true;
}

uint32_t notePortCount(const clap_plugin_t*, bool) noexcept
{
    return 1;
}

bool notePortGet(const clap_plugin_t*, uint32_t, bool isInput, clap_note_port_info_t* info) noexcept
{
    if (info == nullptr)
        return false;
    *info = clap_note_port_info_t{};
    info->id = 0;
    info->supported_dialects = CLAP_NOTE_DIALECT_MIDI;
    info->preferred_dialect = CLAP_NOTE_DIALECT_MIDI;
    std::snprintf(
        info->name, sizeof(info->name), "%s", isInput ? "Event/MIDI Input" : "Event/MIDI Output");
    return true;
}

constexpr clap_plugin_audio_ports_t kAudioPorts = {audioPortCount, audioPortGet};
constexpr clap_plugin_note_ports_t kNotePorts = {notePortCount, notePortGet};

} // namespace

const clap_plugin_audio_ports_t* audioPortsExtension() noexcept
{
    return &kAudioPorts;
}

const clap_plugin_note_ports_t* notePortsExtension() noexcept
{
    return &kNotePorts;
}

} // namespace Orvane
