// The editor of one CLAP instance as the host drives it ("clap.gui", "clap.timer-support"): the
// groove panel in the host's X11 window or floating, redrawn and fed on the host's 16 ms timer.
// Host main thread only; it reaches the audio thread only through the instance's event queue,
// notes ring and cached parameters.
#pragma once

#include "ClapGui.h"
#include "ClapTimer.h"
#include "skein/IdleCallback.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Orvane {

class PluginCLAP;
class UI;
struct editorLink;

class ClapUI : public Skein::IdleCallback {
public:
    // The panel's size before an editor exists.
    static constexpr uint32_t kDefaultWidth = 242, kDefaultHeight = 444;

    ClapUI(PluginCLAP& owner, const clap_host_t* host, const clap_host_gui_t* hostGui,
        const clap_host_timer_support_t* hostTimer, bool isFloating);
    // Unregisters the timer, closes the editor and has any gesture it left open closed.
    ~ClapUI() override;

    ClapUI(const ClapUI&) = delete;
    ClapUI& operator=(const ClapUI&) = delete;

    // Factors that are not finite or not above 0 are refused; larger than 8 become 8.
    bool setScale(double factor);
    void getSize(uint32_t& width, uint32_t& height) const;
    // 0 is refused; each side is clamped to 4096.
    bool setSize(uint32_t width, uint32_t height);
    bool setParent(uintptr_t window);
    bool setTransient(uintptr_t window);
    void suggestTitle(const char* title);
    bool show();
    bool hide();

    // The host's timer: events, the editor's idle work and the values changed since last tick.
    void onIdleTick() override;

private:
    PluginCLAP& fOwner;
    const clap_host_t* const fHost;
    const clap_host_gui_t* const fHostGui;
    const clap_host_timer_support_t* const fHostTimer;
    const bool fIsFloating;
    // Hosts may hand out any id, 0 included: registration is tracked apart from the id.
    bool fTimerRegistered = false;
    clap_id fTimerId = 0;
    double fScaleFactor = 0.0;
    uintptr_t fParentWindow = 0;
    uintptr_t fTransientWindow = 0;
    std::string fTitle;

    std::unique_ptr<editorLink> fLink;
    UI* fUI = nullptr;

    bool hasEditor() const noexcept { return fUI != nullptr; }
    // Makes the editor once and tells the host its size may have changed.
    void openEditor();
    void makeEditor();
    void closeEditor();
    void registerTimer();
    void unregisterTimer();
    // The editor asks for a new size; only a host that agrees gets it.
    void requestSize(unsigned width, unsigned height);
};

} // namespace Orvane
