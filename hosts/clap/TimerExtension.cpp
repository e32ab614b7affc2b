// "clap.timer-support": the host's timer drives the editor. Host main thread.
#include "ClapExtensions.h"
#include "ClapUI.h"
#include "PluginCLAP.h"
#include "SoftAssert.h"

namespace Orvane {

namespace {

// The timer id is not compared: the editor registers one timer at most. No exception crosses
// into the host; a tick that failed is simply over.
void onTimer(const clap_plugin_t* plugin, clap_id) noexcept
{
    PluginCLAP* const instance = instanceOf(plugin);
    if (instance == nullptr)
        return;
    try {
        instance->onTimer();
    } catch (...) {
    }
}

constexpr clap_plugin_timer_support_t kTimer = {onTimer};

} // namespace

void PluginCLAP::onTimer()
{
    ClapUI* const gui = fUI.get();
    if (gui != nullptr) {
        gui->onTimer();
        return;
    }
    // Hosts may keep firing a timer after the editor is gone: say so once, not on every tick.
    if (!fReportedTickWithoutEditor) {
        fReportedTickWithoutEditor = true;
        static_cast<void>(ORVANE_CHECK(gui != nullptr));
    }
}

const clap_plugin_timer_support_t* timerExtension() noexcept
{
    return &kTimer;
}

} // namespace Orvane
