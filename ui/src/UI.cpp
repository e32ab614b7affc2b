// The editor base class: the editor's window, requests to the host and default notifications.
// GUI thread.
#include "ui/UI.h"

#include <cfloat>
#include <cmath>

#include "support/SoftAssert.h"
#include "ui/EditorFactory.h"

namespace Orvane {

namespace {

editorLink& linkForNewEditor()
{
    editorLink* link = editorLinkUnderConstruction();
    if (SOFT_CHECK(link != nullptr))
        return *link;
    // Built outside createUI: the editor runs without a host, on a record of its own that
    // lives as long as the process (its window must outlive the editor).
    return *new editorLink;
}

bool differsFrom(double value, double other) noexcept
{
    return std::fabs(value - other) >= DBL_EPSILON;
}

// The window opens at its final size, scaled: hosts are told that size before it exists.
PluginWindow& prepareEditorWindow(editorLink& link, unsigned width, unsigned height)
{
    const double scale = link.fApp.windowScaleFactor(link.fScaleFactor);
    const Skein::Size<unsigned> size = scaledEditorSize(width, height, scale);
    auto window = std::make_unique<PluginWindow>(
        link.fApp, link.fParentWindowHandle, size.width, size.height, scale);
    // The editor's constructor may make OpenGL resources in the window's context.
    if (window->realize())
        window->enterContext();
    if (link.fCallbacksPtr == nullptr)
        window->setIgnoreIdleCallbacks(true);
    link.fWindow = std::move(window);
    return *link.fWindow;
}

} // namespace

Skein::Size<unsigned> scaledEditorSize(unsigned width, unsigned height, double scaleFactor) noexcept
{
    if (!differsFrom(scaleFactor, 0.0) || !differsFrom(scaleFactor, 1.0))
        return {width, height};
    return {
        static_cast<unsigned>(width * scaleFactor), static_cast<unsigned>(height * scaleFactor)};
}

UI::UI(unsigned width, unsigned height, bool automaticallyScaleAndSetAsMinimumSize)
    : UI(linkForNewEditor(), width, height, automaticallyScaleAndSetAsMinimumSize)
{
}

UI::UI(
    editorLink& link, unsigned width, unsigned height, bool automaticallyScaleAndSetAsMinimumSize)
    : ImGuiWidget(prepareEditorWindow(link, width != 0 ? width : kEditorWidth,
                      height != 0 ? height : kEditorHeight),
          13.0),
      fLink(link)
{
    fLink.fWindow->setEditor(this);
    if (automaticallyScaleAndSetAsMinimumSize && width != 0 && height != 0)
        window().setSizeLimits(width, height, true, true, false);
}

UI::~UI()
{
    if (fLink.fWindow != nullptr)
        fLink.fWindow->setEditor(nullptr);
}

double UI::getSampleRate() const noexcept
{
    return fLink.fSampleRate;
}

double UI::getScaleFactor() const noexcept
{
    return fLink.fScaleFactor;
}

void UI::markEditGesture(uint32_t index, bool started)
{
    if (fLink.fEditParamCallback != nullptr)
        fLink.fEditParamCallback(fLink.fCallbacksPtr, index + fLink.fParameterOffset, started);
}

void UI::pushParameterValue(uint32_t index, float value)
{
    if (fLink.fSetParamCallback != nullptr)
        fLink.fSetParamCallback(fLink.fCallbacksPtr, index + fLink.fParameterOffset, value);
}

void UI::askWindowSize(unsigned width, unsigned height)
{
    if (fLink.underConstruction)
        window().setSizeFromHost(width, height);
    else if (fLink.fSetSizeCallback != nullptr)
        fLink.fSetSizeCallback(fLink.fCallbacksPtr, width, height);
}

void UI::onMonitorUpdate(uint32_t, int32_t)
{
}

void UI::sampleRateChanged(double)
{
}
void UI::uiIdle()
{
}
void UI::uiScaleFactorChanged(double)
{
}
void UI::uiFocus(bool, Skein::Window::CrossingMode)
{
}

unsigned UI::uiClipboardDataOffer()
{
    for (const Skein::Window::ClipboardType& type : window().clipboardTypes())
        if (type.type == "text/plain")
            return type.id;
    return 0;
}

void UI::uiReshape(unsigned width, unsigned height)
{
    fLink.fWindow->fallbackReshape(width, height);
}

} // namespace Orvane
