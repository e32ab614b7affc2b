// The C structures through which a host reaches a PluginCLAP: the plug-in functions and the
// extensions, each a table of static noexcept trampolines (no exception crosses into the host)
// that check the host's arguments and call one instance. [main-thread] except where the
// extension's own header says otherwise.
#pragma once

#include "ClapAudioPorts.h"
#include "ClapGui.h"
#include "ClapNotePorts.h"
#include "ClapParams.h"
#include "ClapPlugin.h"
#include "ClapState.h"
#include "ClapTimer.h"

namespace Orvane {

class PluginCLAP;

// The instance behind a plug-in structure, or null for a structure that is not one of ours.
inline PluginCLAP* instanceOf(const clap_plugin_t* plugin) noexcept
{
    return plugin != nullptr ? static_cast<PluginCLAP*>(plugin->plugin_data) : nullptr;
}

// [main-thread] A new plug-in structure with a new instance for `host`; null when it cannot be
// made (an exception of the plug-in's constructor ends there).
const clap_plugin_t* createClapPlugin(
    const clap_plugin_descriptor_t* descriptor, const clap_host_t* host) noexcept;

const clap_plugin_params_t* paramsExtension() noexcept;
const clap_plugin_audio_ports_t* audioPortsExtension() noexcept;
const clap_plugin_note_ports_t* notePortsExtension() noexcept;
const clap_plugin_state_t* stateExtension() noexcept;
const clap_plugin_gui_t* guiExtension() noexcept;
const clap_plugin_timer_support_t* timerExtension() noexcept;

} // namespace Orvane
