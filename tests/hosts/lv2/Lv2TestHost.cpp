// The tests' LV2 host on lilv. Test thread only.
#include "Lv2TestHost.h"

#include <lv2/atom/util.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/midi/midi.h>
#include <lv2/time/time.h>

#include <cmath>
#include <cstring>

namespace {

constexpr char kPluginUri[] = "urn:fellmark-audio:vantorel";
constexpr size_t kInputBytes = 64 * 1024;

} // namespace

UridTable::UridTable()
{
    fMap.handle = this;
    fMap.map = [](LV2_URID_Map_Handle handle, const char* uri) {
        return static_cast<UridTable*>(handle)->map(uri);
    };
    fUnmap.handle = this;
    fUnmap.unmap = [](LV2_URID_Unmap_Handle handle, LV2_URID urid) {
        return static_cast<UridTable*>(handle)->unmap(urid);
    };
}

UridTable& UridTable::instance()
{
    static UridTable table;
    return table;
}

LV2_URID UridTable::map(const char* uri)
{
    const auto found = fIds.find(uri);
    if (found != fIds.end())
        return found->second;
    fUris.emplace_back(uri);
    const auto id = static_cast<LV2_URID>(fUris.size());
    fIds.emplace(uri, id);
    return id;
}

const char* UridTable::unmap(LV2_URID urid) const
{
    return urid >= 1 && urid <= fUris.size() ? fUris[urid - 1].c_str() : nullptr;
}

Lv2TestHost::Lv2TestHost()
{
    UridTable& u = UridTable::instance();
    fUrids = {u.map(LV2_TIME__Position), u.map(LV2_TIME__frame), u.map(LV2_TIME__speed),
        u.map(LV2_TIME__bar), u.map(LV2_TIME__barBeat), u.map(LV2_TIME__beatsPerBar),
        u.map(LV2_TIME__beatUnit), u.map(LV2_TIME__beatsPerMinute), u.map(LV2_MIDI__MidiEvent),
        u.map(LV2_ATOM__Chunk), u.map(LV2_ATOM__Object), u.map(LV2_ATOM__Int),
        u.map("urn:fellmark-audio:vantorel#Monitor"),
        u.map("urn:fellmark-audio:vantorel#monitorIndex"),
        u.map("urn:fellmark-audio:vantorel#monitorValue")};
    fWorld = lilv_world_new();
    // The installed LV2 core bundle names the plug-in classes; LV2_PATH holds only the build tree.
    LilvNode* const core = lilv_new_file_uri(fWorld, nullptr, "/usr/lib/lv2/core.lv2/");
    lilv_world_load_bundle(fWorld, core);
    lilv_node_free(core);
    lilv_world_load_all(fWorld);
    LilvNode* const uri = lilv_new_uri(fWorld, kPluginUri);
    fPlugin = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(fWorld), uri);
    lilv_node_free(uri);
}

Lv2TestHost::~Lv2TestHost()
{
    stop();
    lilv_world_free(fWorld);
}

uint32_t Lv2TestHost::portIndex(const char* symbol) const
{
    LilvNode* const node = lilv_new_string(fWorld, symbol);
    const LilvPort* const port = lilv_plugin_get_port_by_symbol(fPlugin, node);
    lilv_node_free(node);
    return port != nullptr ? lilv_port_get_index(fPlugin, port) : UINT32_MAX;
}

bool Lv2TestHost::start(double sampleRate, uint32_t maxBlock, bool withOptions)
{
    stop();
    if (fPlugin == nullptr)
        return false;
    UridTable& urids = UridTable::instance();
    fBlockLength = static_cast<int32_t>(maxBlock);
    fOptions = {
        {LV2_OPTIONS_INSTANCE, 0, urids.map(LV2_BUF_SIZE__maxBlockLength), sizeof(int32_t),
            urids.map(LV2_ATOM__Int), &fBlockLength},
        {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr},
    };
    fMapFeature = {LV2_URID__map, urids.mapFeature()};
    fOptionsFeature = {LV2_OPTIONS__options, fOptions.data()};
    fFeatures = {&fMapFeature};
    if (withOptions)
        fFeatures.push_back(&fOptionsFeature);
    fFeatures.push_back(nullptr);
    fInstance = lilv_plugin_instantiate(fPlugin, sampleRate, fFeatures.data());
    if (fInstance == nullptr)
        return false;

    const uint32_t ports = lilv_plugin_get_num_ports(fPlugin);
    std::vector<float> defaults(ports, 0.0f);
    lilv_plugin_get_port_ranges_float(fPlugin, nullptr, nullptr, defaults.data());
    fControls = defaults;
    fInput.assign(kInputBytes / 8, 0);
    fOutput.assign(kInputBytes / 8, 0);
    for (auto& channel : fAudio)
        channel.assign(maxBlock, 0.0f);
    fUnused.assign(maxBlock, 0.0f);
    uint32_t audio = 0;
    for (uint32_t i = 0; i < ports; ++i) {
        const LilvPort* const port = lilv_plugin_get_port_by_index(fPlugin, i);
        const std::string symbol = lilv_node_as_string(lilv_port_get_symbol(fPlugin, port));
        void* data = &fControls[i];
        if (symbol == "events_in")
            data = fInput.data();
        else if (symbol == "events_out")
            data = fOutput.data();
        else if (symbol.rfind("audio_out_", 0) == 0)
            data = audio < 2 ? fAudio[audio++].data() : fUnused.data();
        lilv_instance_connect_port(fInstance, i, data);
    }
    lv2_atom_forge_init(&fForge, urids.mapFeature());
    startInput();
    lilv_instance_activate(fInstance);
    return true;
}

void Lv2TestHost::stop()
{
    if (fInstance == nullptr)
        return;
    lilv_instance_deactivate(fInstance);
    lilv_instance_free(fInstance);
    fInstance = nullptr;
}

void Lv2TestHost::startInput()
{
    lv2_atom_forge_set_buffer(&fForge, reinterpret_cast<uint8_t*>(fInput.data()), kInputBytes);
    lv2_atom_forge_sequence_head(&fForge, &fSequenceFrame, 0);
}

void Lv2TestHost::addPosition(uint32_t frame, const HostPosition& position)
{
    LV2_Atom_Forge_Frame object;
    lv2_atom_forge_frame_time(&fForge, frame);
    lv2_atom_forge_object(&fForge, &object, 0, fUrids.position);
    lv2_atom_forge_key(&fForge, fUrids.frame);
    lv2_atom_forge_long(&fForge, position.frame);
    lv2_atom_forge_key(&fForge, fUrids.speed);
    lv2_atom_forge_float(&fForge, position.speed);
    lv2_atom_forge_key(&fForge, fUrids.bar);
    lv2_atom_forge_long(&fForge, position.bar);
    lv2_atom_forge_key(&fForge, fUrids.barBeat);
    lv2_atom_forge_float(&fForge, position.barBeat);
    lv2_atom_forge_key(&fForge, fUrids.beatsPerBar);
    lv2_atom_forge_float(&fForge, position.beatsPerBar);
    lv2_atom_forge_key(&fForge, fUrids.beatUnit);
    lv2_atom_forge_int(&fForge, position.beatUnit);
    lv2_atom_forge_key(&fForge, fUrids.beatsPerMinute);
    lv2_atom_forge_float(&fForge, position.beatsPerMinute);
    lv2_atom_forge_pop(&fForge, &object);
}

void Lv2TestHost::addMidi(uint32_t frame, const uint8_t* bytes, uint32_t size)
{
    lv2_atom_forge_frame_time(&fForge, frame);
    lv2_atom_forge_atom(&fForge, size, fUrids.midiEvent);
    lv2_atom_forge_write(&fForge, bytes, size);
}

bool Lv2TestHost::setControl(const char* symbol, float value)
{
    return setControl(portIndex(symbol), value);
}

bool Lv2TestHost::setControl(uint32_t port, float value)
{
    if (port >= fControls.size())
        return false;
    fControls[port] = value;
    return true;
}

void Lv2TestHost::run(uint32_t frames)
{
    auto* const out = reinterpret_cast<LV2_Atom_Sequence*>(fOutput.data());
    out->atom.type = fUrids.chunk;
    out->atom.size = fOutCapacity;
    lilv_instance_run(fInstance, frames);
    startInput();
}

std::vector<Lv2TestHost::MidiOut> Lv2TestHost::lastMidiOutput() const
{
    std::vector<MidiOut> messages;
    const auto* const out = reinterpret_cast<const LV2_Atom_Sequence*>(fOutput.data());
    LV2_ATOM_SEQUENCE_FOREACH(out, event)
    {
        if (event->body.type != fUrids.midiEvent)
            continue;
        const auto* const bytes = static_cast<const uint8_t*>(LV2_ATOM_BODY_CONST(&event->body));
        messages.push_back({event->time.frames, {bytes, bytes + event->body.size}});
    }
    return messages;
}

std::vector<Lv2TestHost::MonitorOut> Lv2TestHost::lastMonitorOutput() const
{
    std::vector<MonitorOut> messages;
    const auto* const out = reinterpret_cast<const LV2_Atom_Sequence*>(fOutput.data());
    LV2_ATOM_SEQUENCE_FOREACH(out, event)
    {
        const auto* const object = reinterpret_cast<const LV2_Atom_Object*>(&event->body);
        if (event->body.type != fUrids.object || object->body.otype != fUrids.monitor)
            continue;
        const LV2_Atom* index = nullptr;
        const LV2_Atom* value = nullptr;
        lv2_atom_object_get(object, fUrids.monitorIndex, &index, fUrids.monitorValue, &value, 0);
        if (index != nullptr && value != nullptr && index->type == fUrids.atomInt &&
            value->type == fUrids.atomInt)
            messages.push_back(
                {event->time.frames, reinterpret_cast<const LV2_Atom_Int*>(index)->body,
                    reinterpret_cast<const LV2_Atom_Int*>(value)->body});
    }
    return messages;
}
