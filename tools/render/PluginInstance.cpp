// A plug-in instance driven like a host drives it. Host main thread.
#include "PluginInstance.h"

#include "HostEvents.h"
#include "MemoryStreams.h"

PluginInstance::~PluginInstance()
{
    if (fPlugin == nullptr)
        return;
    deactivate();
    fPlugin->destroy(fPlugin);
}

bool PluginInstance::create(const clap_plugin_factory_t& factory, const clap_host_t& host,
    std::string& error, uint32_t index)
{
    const clap_plugin_descriptor_t* const descriptor =
        factory.get_plugin_descriptor(&factory, index);
    if (descriptor == nullptr) {
        error = "the library describes no plug-in " + std::to_string(index);
        return false;
    }
    fPlugin = factory.create_plugin(&factory, &host, descriptor->id);
    if (fPlugin == nullptr) {
        error = std::string("cannot create plug-in ") + descriptor->id;
        return false;
    }
    if (!fPlugin->init(fPlugin)) {
        error = std::string("plug-in ") + descriptor->id + " refused to initialise";
        return false;
    }
    fParams = extension<clap_plugin_params_t>(CLAP_EXT_PARAMS);
    fState = extension<clap_plugin_state_t>(CLAP_EXT_STATE);
    fAudioPorts = extension<clap_plugin_audio_ports_t>(CLAP_EXT_AUDIO_PORTS);
    fNotePorts = extension<clap_plugin_note_ports_t>(CLAP_EXT_NOTE_PORTS);
    return true;
}

std::vector<clap_param_info_t> PluginInstance::parameters() const
{
    std::vector<clap_param_info_t> infos;
    const uint32_t count = fParams != nullptr ? fParams->count(fPlugin) : 0;
    for (uint32_t i = 0; i < count; ++i) {
        clap_param_info_t info{};
        if (fParams->get_info(fPlugin, i, &info))
            infos.push_back(info);
    }
    return infos;
}

bool PluginInstance::findParameter(const std::string& symbol, clap_param_info_t& info) const
{
    for (const clap_param_info_t& candidate : parameters()) {
        if (symbol == candidate.module) {
            info = candidate;
            return true;
        }
    }
    return false;
}

void PluginInstance::setParameter(clap_id id, double value) const
{
    if (fParams == nullptr)
        return;
    clap_event_param_value_t event{};
    event.header = {sizeof(event), 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
    event.param_id = id;
    event.note_id = -1;
    event.port_index = -1;
    event.channel = -1;
    event.key = -1;
    event.value = value;
    InputEventList in;
    in.add(event.header);
    OutputEventList out;
    fParams->flush(fPlugin, in.list(), out.list());
}

double PluginInstance::parameterValue(clap_id id) const
{
    double value = 0.0;
    if (fParams != nullptr)
        fParams->get_value(fPlugin, id, &value);
    return value;
}

bool PluginInstance::saveState(std::string& bytes) const
{
    if (fState == nullptr)
        return false;
    MemoryOutputStream stream;
    if (!fState->save(fPlugin, stream.stream()))
        return false;
    bytes = stream.bytes();
    return true;
}

bool PluginInstance::loadState(const std::string& bytes) const
{
    if (fState == nullptr)
        return false;
    MemoryInputStream stream(bytes);
    return fState->load(fPlugin, stream.stream());
}

bool PluginInstance::activate(double sampleRate, uint32_t minFrames, uint32_t maxFrames)
{
    if (fActive)
        deactivate();
    fActive = fPlugin->activate(fPlugin, sampleRate, minFrames, maxFrames);
    return fActive;
}

void PluginInstance::deactivate()
{
    if (!fActive)
        return;
    fPlugin->deactivate(fPlugin);
    fActive = false;
}
