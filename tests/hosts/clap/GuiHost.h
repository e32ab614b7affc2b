// A CLAP host with an editor side, for the editor tests: "clap.gui" (resize requests it agrees
// to or refuses), "clap.timer-support" (a timer table the test fires), "clap.params", and one
// instance of the built module with its editor functions. Host main thread only.
#pragma once

#include "ClapGui.h"
#include "ClapLibrary.h"
#include "ClapParams.h"
#include "ClapTimer.h"
#include "PluginInstance.h"
#include "StereoBlock.h"

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

class GuiHost {
public:
    GuiHost();

    GuiHost(const GuiHost&) = delete;
    GuiHost& operator=(const GuiHost&) = delete;

    const clap_host_t* host() const noexcept { return &fHost; }

    bool offersGui = true;
    bool offersTimer = true;
    bool agreesToResize = true;
    unsigned resizeHintsChanges = 0;
    std::vector<std::pair<uint32_t, uint32_t>> resizeRequests;
    // Registered timers (id to period) and how often the plug-in registered and unregistered.
    std::map<clap_id, uint32_t> timers;
    unsigned registrations = 0, unregistrations = 0;

private:
    clap_host_t fHost;
    clap_host_gui_t fGui;
    clap_host_timer_support_t fTimer;
    clap_host_params_t fParams;
    // Ids start at 0, which the standard allows.
    clap_id fNextTimerId = 0;

    static GuiHost& self(const clap_host_t* host);
};

// One instance of the built module with its editor extensions, and the block buffers a host
// hands to process.
class HostedPlugin {
public:
    explicit HostedPlugin(const ClapLibrary& library);
    ~HostedPlugin();

    GuiHost host;
    PluginInstance instance;
    StereoBlock block;
    const clap_plugin_gui_t* gui = nullptr;
    const clap_plugin_timer_support_t* timer = nullptr;

    const clap_plugin_t* plugin() const { return instance.plugin(); }
    // Fires every registered timer once, as a host's main loop does.
    void fireTimers();
    // One block without transport; the output list then holds what the plug-in sent.
    clap_process_status process(uint32_t frames = 64);
    // Parameter value events of the host for the next process.
    void automate(clap_id id, double value);
};
