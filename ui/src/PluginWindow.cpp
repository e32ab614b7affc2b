// Routes an editor window's notifications to its editor; a reshape during the editor's
// construction is held back until it exists. GUI thread.
#include "ui/PluginWindow.h"

#include "support/SoftAssert.h"
#include "ui/UI.h"

namespace Orvane {

PluginWindow::PluginWindow(Skein::Application& app, uintptr_t parentWindowHandle, unsigned width,
    unsigned height, double scaleFactor)
    : Skein::Window(app, parentWindowHandle, width, height, scaleFactor, true, false)
{
}

void PluginWindow::finishInitializing()
{
    fIsInitializing = false;
    if (!fReceivedReshapeDuringInit || fUI == nullptr)
        return;
    fReceivedReshapeDuringInit = false;
    if (enterContext())
        fUI->uiReshape(pixelWidth(), pixelHeight());
}

void PluginWindow::fallbackReshape(unsigned width, unsigned height)
{
    Skein::Window::onReshape(width, height);
}

unsigned PluginWindow::onClipboardDataOffer()
{
    if (!SOFT_CHECK(fUI != nullptr))
        return 0;
    return fIsInitializing ? 0 : fUI->uiClipboardDataOffer();
}

void PluginWindow::onFocus(bool focus, CrossingMode mode)
{
    if (SOFT_CHECK(fUI != nullptr))
        fUI->uiFocus(focus, mode);
}

void PluginWindow::onReshape(unsigned width, unsigned height)
{
    if (fIsInitializing) {
        fReceivedReshapeDuringInit = true;
        return;
    }
    if (SOFT_CHECK(fUI != nullptr))
        fUI->uiReshape(width, height);
}

void PluginWindow::onScaleFactorChanged(double scaleFactor)
{
    if (SOFT_CHECK(fUI != nullptr))
        fUI->uiScaleFactorChanged(scaleFactor);
}

} // namespace Orvane
