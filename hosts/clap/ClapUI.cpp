// The editor holder of one CLAP instance: making, driving and closing the groove panel for the
// host. Host main thread only.
#include "ClapUI.h"

#include "PluginCLAP.h"
#include "SoftAssert.h"
#include "ui/EditorFactory.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

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
    : fOwner(owner), fHost(host), fHostGui(hostGui), fHostTimer(hostTimer), fIsFloating(isFloating)
{
}

ClapUI::~ClapUI()
{
    unregisterTimer();
    closeEditor();
    // The audio side sends only the ends of gestures that are open.
    for (uint32_t i = 0; i < fOwner.adapter().parameterCount(); ++i)
        fOwner.editParameter(i, false);
}

bool ClapUI::setScale(double factor)
{
    if (!std::isfinite(factor) || factor <= 0.0)
        return false;
    factor = std::min(factor, kMaximumScale);
    if (std::fabs(factor - fScaleFactor) < DBL_EPSILON)
        return true;
    fScaleFactor = factor;
    if (hasEditor())
        fUI->uiScaleFactorChanged(factor);
    return true;
}

void ClapUI::getSize(uint32_t& width, uint32_t& height) const
{
    if (!hasEditor()) {
        width = kDefaultWidth;
        height = kDefaultHeight;
        return;
    }
    width = fLink->fWindow->pixelWidth();
    height = fLink->fWindow->pixelHeight();
}

bool ClapUI::setSize(uint32_t width, uint32_t height)
{
    if (!hasEditor() || width == 0 || height == 0)
        return false;
    fLink->fWindow->setPixelSize(std::min(width, kMaximumSide), std::min(height, kMaximumSide));
    return true;
}

bool ClapUI::setParent(uintptr_t window)
{
    if (fIsFloating)
        return false;
    fParentWindow = window;
    if (!hasEditor())
        openEditor();
    return true;
}

bool ClapUI::setTransient(uintptr_t window)
{
    if (!fIsFloating)
        return false;
    fTransientWindow = window;
    if (hasEditor())
        fLink->fWindow->setOwnerWindow(window);
    return true;
}

void ClapUI::suggestTitle(const char* title)
{
    if (!fIsFloating)
        return;
    fTitle = title != nullptr ? title : "";
    if (hasEditor())
        fLink->fWindow->setCaption(fTitle.c_str());
}

bool ClapUI::show()
{
    if (!hasEditor())
        openEditor();
    if (fIsFloating) {
        fLink->fWindow->makeVisible();
        fLink->fApp.isQuitting();
    }
    registerTimer();
    return true;
}

bool ClapUI::hide()
{
    if (hasEditor()) {
        fLink->fWindow->makeHidden();
        fLink->fApp.isQuitting();
        unregisterTimer();
    }
    return true;
}

void ClapUI::onIdleTick()
{
    if (hasEditor()) {
        fLink->fApp.pumpEvents(0);
        fUI->uiIdle();
        fLink->fApp.isQuitting();
    }
    CachedParameters& cached = fOwner.cachedParameters();
    for (uint32_t i = 0; i < cached.count; ++i) {
        if (!cached.changed[i].exchange(false, std::memory_order_relaxed))
            continue;
        if (hasEditor())
            fUI->onParameterUpdate(i, cached.value(i));
    }
}

void ClapUI::openEditor()
{
    makeEditor();
    if (fHostGui->resize_hints_changed != nullptr)
        fHostGui->resize_hints_changed(fHost);
}

void ClapUI::makeEditor()
{
    if (!ORVANE_CHECK(fUI == nullptr))
        return;
    PluginAdapter& adapter = fOwner.adapter();
    const PluginData* const data = adapter.data();
    fLink = std::make_unique<editorLink>(false);
    fLink->fSampleRate = ORVANE_CHECK(data != nullptr) ? data->sampleRate : 0.0;
    fLink->setBundlePath(data != nullptr ? data->bundlePath.get() : nullptr);
    fLink->fProcessor = &fOwner;
    fLink->fParentWindowHandle = fParentWindow;
    fLink->fScaleFactor = fScaleFactor;
    fLink->fCallbacksPtr = this;
    fLink->fEditParamCallback = [](void* ptr, uint32_t index, bool started) {
        holderOf(ptr).fOwner.editParameter(index, started);
    };
    fLink->fSetParamCallback = [](void* ptr, uint32_t index, float value) {
        holderOf(ptr).fOwner.setParameter(index, value);
    };
    fLink->fSetSizeCallback = [](void* ptr, unsigned width, unsigned height) {
        holderOf(ptr).requestSize(width, height);
    };
    fLink->fSendNoteCallback = [](void* ptr, uint8_t channel, uint8_t note, uint8_t velocity) {
        // The editor has no answer for a full notes ring: the note is dropped, and the ring
        // reports its first failed write.
        static_cast<void>(holderOf(ptr).fOwner.sendNote(channel, note, velocity));
    };

    UI* const uiPtr = createUI(*fLink);
    if (!ORVANE_CHECK(uiPtr != nullptr)) {
        fLink.reset();
        return;
    }
    fUI = uiPtr;
    // The editor was built with its window's OpenGL context current; other instances' editors
    // share this thread.
    fLink->fWindow->leaveContext();

    CachedParameters& cached = fOwner.cachedParameters();
    for (uint32_t i = 0; i < adapter.parameterCount(); ++i) {
        const float value = adapter.parameterValue(i);
        cached.values[i].store(value, std::memory_order_relaxed);
        cached.changed[i].store(false, std::memory_order_relaxed);
        fUI->onParameterUpdate(i, value);
    }

    if (!fIsFloating)
        return;
    if (!fTitle.empty())
        fLink->fWindow->setCaption(fTitle.c_str());
    if (fTransientWindow != 0)
        fLink->fWindow->setOwnerWindow(fTransientWindow);
}

void ClapUI::closeEditor()
{
    delete fUI;
    fUI = nullptr;
    fLink.reset();
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
    if (!ORVANE_CHECK(fUI != nullptr))
        return;
    if (fHostGui->request_resize != nullptr && fHostGui->request_resize(fHost, width, height))
        fLink->fWindow->setPixelSize(width, height);
}

} // namespace Orvane
