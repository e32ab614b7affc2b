// One plug-in instance driven like a host drives it: created through the factory, initialised,
// with its extensions looked up; parameters by symbol, state to and from bytes, activation.
// Host main thread, except what BlockRenderer calls while processing.
#pragma once

#include "ClapAudioPorts.h"
#include "ClapNotePorts.h"
#include "ClapParams.h"
#include "ClapPlugin.h"
#include "ClapState.h"

#include <string>
#include <vector>

class PluginInstance {
public:
    PluginInstance() = default;
    // Deactivates if needed and destroys the plug-in.
    ~PluginInstance();

    PluginInstance(const PluginInstance&) = delete;
    PluginInstance& operator=(const PluginInstance&) = delete;

    // Creates and initialises plug-in `index` of the factory; false with `error` on failure.
    bool create(const clap_plugin_factory_t& factory, const clap_host_t& host, std::string& error,
        uint32_t index = 0);

    const clap_plugin_t* plugin() const noexcept { return fPlugin; }
    const clap_plugin_params_t* params() const noexcept { return fParams; }
    const clap_plugin_state_t* state() const noexcept { return fState; }
    const clap_plugin_audio_ports_t* audioPorts() const noexcept { return fAudioPorts; }
    const clap_plugin_note_ports_t* notePorts() const noexcept { return fNotePorts; }

    // Every parameter's description, in index order.
    std::vector<clap_param_info_t> parameters() const;
    // The parameter whose module (symbol) is `symbol`; false when none is.
    bool findParameter(const std::string& symbol, clap_param_info_t& info) const;
    // Sets values outside of processing, through the parameter flush.
    void setParameter(clap_id id, double value) const;
    double parameterValue(clap_id id) const;

    bool saveState(std::string& bytes) const;
    bool loadState(const std::string& bytes) const;

    bool activate(double sampleRate, uint32_t minFrames, uint32_t maxFrames);
    void deactivate();
    bool isActive() const noexcept { return fActive; }

private:
    const clap_plugin_t* fPlugin = nullptr;
    const clap_plugin_params_t* fParams = nullptr;
    const clap_plugin_state_t* fState = nullptr;
    const clap_plugin_audio_ports_t* fAudioPorts = nullptr;
    const clap_plugin_note_ports_t* fNotePorts = nullptr;
    bool fActive = false;

    template <typename Extension> const Extension* extension(const char* id) const
    {
        return static_cast<const Extension*>(fPlugin->get_extension(fPlugin, id));
    }
};
