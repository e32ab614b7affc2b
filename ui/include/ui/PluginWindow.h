// The window of one editor: a toolkit window that passes its notifications on to the editor.
// [main-thread] only.
#pragma once

#include "skein/Window.h"

namespace Orvane {

class UI;

class PluginWindow : public Skein::Window {
public:
    PluginWindow(Skein::Application& app, uintptr_t parentWindowHandle, unsigned width,
        unsigned height, double scaleFactor);

    // Set once the editor exists; until then notifications have nowhere to go.
    void setEditor(UI* ui) noexcept { fUI = ui; }
    // Ends the construction phase: a reshape held back meanwhile reaches the editor now, with
    // the window's OpenGL context current.
    void finishInitializing();
    // The toolkit's own reshape: blending, viewport and a top-left-origin projection.
    void fallbackReshape(unsigned width, unsigned height);

protected:
    unsigned onClipboardDataOffer() override;
    void onFocus(bool focus, CrossingMode mode) override;
    void onReshape(unsigned width, unsigned height) override;
    void onScaleFactorChanged(double scaleFactor) override;

private:
    UI* fUI = nullptr;
    bool fIsInitializing = true;
    bool fReceivedReshapeDuringInit = false;
};

} // namespace Orvane
