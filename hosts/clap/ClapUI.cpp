// The editor holder of one CLAP instance: the host's timer, windows, scale and size requests
// around the groove panel. Host main thread only.
#include "ClapUI.h"

#include "PluginCLAP.h"
#include "SoftAssert.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <vector>

namespace Orvane {

namespace {

constexpr uint32_t kTimerPeriodMs = 16;
// Beyond these the window would cost hundreds of megabytes of framebuffer for no display.
constexpr double kMaximumScale = 8.0;
constexpr uint32_t kMaximumSide = 4096;

ClapUI& holderOf(void* ptr) noexcept
{
    return *static_cast<ClapUI*>(ptr);
}

} // namespace

ClapUI::ClapUI(PluginCLAP& owner, const clap_host_t* host, const clap_host_gui_t* hostGui,
    const clap_host_timer_support_t* hostTimer, bool isFloating)
    : fOwner(owner), fHost(host), fHostGui(hostGui), fHostTimer(hostTimer), fIsFloating(isFloating),
      fEditor(false)
{
}

ClapUI::~ClapUI()
{
    unregisterTimer();
    fEditor.close();
    // The audio side sends only the ends of gestures that are open.
    for (uint32_t i = 0; i < fOwner.adapter().parameterCount(); ++i)
        fOwner.eventQueue().editParameter(i, false);
}

bool ClapUI::setScale(double factor)
{
    if (!std::isfinite(factor) || factor <= 0.0)
        return false;
    factor = std::min(factor, kMaximumScale);
    if (std::fabs(factor - fScaleFactor) < DBL_EPSILON)
        return true;
    if (!fEditor.isOpen()) {
        fScaleFactor = factor;
        return true;
    }
    // Fonts, knobs and window are built at one scale: the editor is made again at the new one,
    // in a size the host agreed to first. A floating window is ours to resize.
    const Skein::Size<unsigned> size = fEditor.sizeAt(factor);
    if (!fIsFloating &&
        (fHostGui->request_resize == nullptr ||
            !fHostGui->request_resize(fHost, size.width, size.height)))
        return false;
    fScaleFactor = factor;
    fEditor.close();
    return openEditor() && (!fIsShown || show());
}

void ClapUI::getSize(uint32_t& width, uint32_t& height) const
{
    const PluginWindow* const window = fEditor.window();
    const Skein::Size<unsigned> size =
        window != nullptr ? window->pixelSize() : fEditor.sizeAt(fScaleFactor);
    width = size.width;
    height = size.height;
}

bool ClapUI::setSize(uint32_t width, uint32_t height)
{
    PluginWindow* const window = fEditor.window();
    if (window == nullptr || width == 0 || height == 0)
        return false;
    window->setPixelSize(std::min(width, kMaximumSide), std::min(height, kMaximumSide));
    return true;
}

bool ClapUI::setParent(uintptr_t window)
{
    if (fIsFloating)
        return false;
    fParentWindow = window;
    return fEditor.isOpen() || openEditor();
}

bool ClapUI::setTransient(uintptr_t window)
{
    if (!fIsFloating)
        return false;
    fTransientWindow = window;
    if (fEditor.isOpen())
        fEditor.window()->setOwnerWindow(window);
    return true;
}

void ClapUI::suggestTitle(const char* title)
{
    if (!fIsFloating)
        return;
    fTitle = title != nullptr ? title : "";
    if (fEditor.isOpen())
        fEditor.window()->setCaption(fTitle.c_str());
}

bool ClapUI::show()
{
    if (!fEditor.isOpen() && !openEditor())
        return false;
    fEditor.window()->makeVisible();
    fIsShown = true;
    registerTimer();
    return true;
}

bool ClapUI::hide()
{
    fIsShown = false;
    if (fEditor.isOpen()) {
        fEditor.window()->makeHidden();
        unregisterTimer();
    }
    return true;
}

void ClapUI::onTimer()
{
    fEditor.idle();
    CachedParameters& cached = fOwner.eventQueue().cachedParameters();
    for (uint32_t i = 0; i < cached.count; ++i) {
        if (cached.changed[i].exchange(false, std::memory_order_relaxed))
            fEditor.parameterChanged(i, cached.value(i));
    }
    const PluginAdapter& adapter = fOwner.adapter();
    for (uint32_t i = 0; i < adapter.monitorCount(); ++i)
        fEditor.monitorValue(i, adapter.monitorValue(i));
}

bool ClapUI::openEditor()
{
    PluginAdapter& adapter = fOwner.adapter();
    const PluginData* const data = adapter.data();
    CachedParameters& cached = fOwner.eventQueue().cachedParameters();
    std::vector<float> values(adapter.parameterCount());
    for (uint32_t i = 0; i < adapter.parameterCount(); ++i) {
        values[i] = adapter.parameterValue(i);
        cached.values[i].store(values[i], std::memory_order_relaxed);
        cached.changed[i].store(false, std::memory_order_relaxed);
    }

    EditorSetup setup;
    setup.sampleRate = ORVANE_CHECK(data != nullptr) ? data->sampleRate : 0.0;
    setup.bundlePath = data != nullptr ? data->bundlePath.get() : nullptr;
    setup.processor = &fOwner;
    setup.parentWindow = fParentWindow;
    setup.scaleFactor = fScaleFactor;
    setup.callbacksPtr = this;
    setup.editParameter = [](void* ptr, uint32_t index, bool started) {
        holderOf(ptr).fOwner.eventQueue().editParameter(index, started);
    };
    setup.setParameter = [](void* ptr, uint32_t index, float value) {
        holderOf(ptr).fOwner.eventQueue().setParameter(index, value);
    };
    setup.setSize = [](void* ptr, unsigned width, unsigned height) {
        holderOf(ptr).requestSize(width, height);
    };
    setup.sendNote = [](void* ptr, uint8_t channel, uint8_t note, uint8_t velocity) {
        // The editor has no answer for a full notes ring: the note is dropped, and the ring
        // reports its first failed write.
        static_cast<void>(holderOf(ptr).fOwner.eventQueue().sendNote(channel, note, velocity));
    };
    if (!fEditor.open(setup, values.data(), adapter.parameterCount()))
        return false;
    if (fHostGui->resize_hints_changed != nullptr)
        fHostGui->resize_hints_changed(fHost);
    if (fIsFloating) {
        if (!fTitle.empty())
            fEditor.window()->setCaption(fTitle.c_str());
        if (fTransientWindow != 0)
            fEditor.window()->setOwnerWindow(fTransientWindow);
    }
    return true;
}

void ClapUI::registerTimer()
{
    // A second show must not leave the first timer firing for ever.
    if (fTimerRegistered || fHostTimer->register_timer == nullptr)
        return;
    clap_id id = 0;
    if (fHostTimer->register_timer(fHost, kTimerPeriodMs, &id)) {
        fTimerId = id;
        fTimerRegistered = true;
    }
}

void ClapUI::unregisterTimer()
{
    if (!fTimerRegistered)
        return;
    if (fHostTimer->unregister_timer != nullptr)
        fHostTimer->unregister_timer(fHost, fTimerId);
    fTimerRegistered = false;
    fTimerId = 0;
}

void ClapUI::requestSize(unsigned width, unsigned height)
{
    PluginWindow* const window = fEditor.window();
    if (!ORVANE_CHECK(window != nullptr))
        return;
    if (fHostGui->request_resize != nullptr && fHostGui->request_resize(fHost, width, height))
        window->setPixelSize(width, height);
}

} // namespace Orvane
