// The editor of one CLAP instance as the host drives it ("clap.gui", "clap.timer-support"): the
// CLAP policy around the editor holder (the host's 16 ms timer, parent and transient windows,
// scale, title, size requests, the gestures left open). [main-thread] only; it reaches the audio
// thread only through the instance's event queue, notes ring and cached parameters.
#pragma once

#include "ClapGui.h"
#include "ClapTimer.h"
#include "ui/EditorHolder.h"

#include <cstdint>
#include <string>

namespace Orvane {

class PluginCLAP;

class ClapUI {
public:
    // Connects to the display; the editor itself is made by setParent or show.
    ClapUI(PluginCLAP& owner, const clap_host_t* host, const clap_host_gui_t* hostGui,
        const clap_host_timer_support_t* hostTimer, bool isFloating);
    // Unregisters the timer, closes the editor and has any gesture it left open closed.
    ~ClapUI();

    ClapUI(const ClapUI&) = delete;
    ClapUI& operator=(const ClapUI&) = delete;

    // Factors that are not finite or not above 0 are refused; larger than 8 become 8. An open
    // editor is made again at the new scale once the host agrees to its new size; false, with
    // nothing changed, when the host refuses.
    bool setScale(double factor);
    // The open editor's size, or the size it will open with.
    void getSize(uint32_t& width, uint32_t& height) const;
    // 0 is refused; each side is clamped to 4096.
    bool setSize(uint32_t width, uint32_t height);
    // False when floating, or when the editor cannot be made.
    bool setParent(uintptr_t window);
    bool setTransient(uintptr_t window);
    void suggestTitle(const char* title);
    // Maps the window (making the editor first if needed) and registers the timer.
    bool show();
    // Unmaps the window and unregisters the timer.
    bool hide();

    // The host's timer: events, the editor's idle work, the values changed since last tick and
    // the monitor values.
    void onTimer();

private:
    PluginCLAP& fOwner;
    const clap_host_t* const fHost;
    const clap_host_gui_t* const fHostGui;
    const clap_host_timer_support_t* const fHostTimer;
    const bool fIsFloating;
    // Hosts may hand out any id, 0 included: registration is tracked apart from the id.
    bool fTimerRegistered = false;
    clap_id fTimerId = 0;
    bool fIsShown = false;
    double fScaleFactor = 0.0;
    uintptr_t fParentWindow = 0;
    uintptr_t fTransientWindow = 0;
    std::string fTitle;
    EditorHolder fEditor;

    // Makes the editor with the instance's values and tells the host its size may have changed.
    bool openEditor();
    void registerTimer();
    void unregisterTimer();
    // The editor asks for a new size; only a host that agrees gets it.
    void requestSize(unsigned width, unsigned height);
};

} // namespace Orvane
