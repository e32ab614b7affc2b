// The editor base class: makes the editor's window, turns the editor's requests into calls of
// the host's callbacks (editorLink) and receives the host's notifications. GUI thread only.
#pragma once

#include <cstdint>

#include "skein/Window.h"
#include "ui/ImGuiWidget.h"

namespace Orvane {

struct editorLink;

// Width and height multiplied by a window's scale factor and truncated: the size an editor's
// window opens with. [any-thread]
Skein::Size<unsigned> scaledEditorSize(
    unsigned width, unsigned height, double scaleFactor) noexcept;

class UI : public Skein::ImGuiWidget<Skein::TopLevelWidget> {
public:
    // [main-thread] Takes the record published by createUI (EditorFactory.h); width or height 0
    // means the build's editor size (EditorFactory.h). The window opens at that size times its
    // scale factor; with automaticallyScaleAndSetAsMinimumSize that is also its minimum.
    explicit UI(unsigned width = 0, unsigned height = 0,
        bool automaticallyScaleAndSetAsMinimumSize = false);
    ~UI() override;

    // [main-thread]
    double getSampleRate() const noexcept;
    double getScaleFactor() const noexcept;

    // [main-thread] Requests to the host; each does nothing when the host gave no callback.
    void markEditGesture(uint32_t index, bool started);
    void pushParameterValue(uint32_t index, float value);

    // [main-thread] Notifications from the host.
    virtual void onParameterUpdate(uint32_t index, float value) = 0;
    // A monitor value of the plug-in (where a sequence stands, say), passed on every tick of the
    // binding's timer whether it changed or not. By default ignored.
    virtual void onMonitorUpdate(uint32_t index, int32_t value);
    virtual void sampleRateChanged(double newSampleRate);
    virtual void uiIdle();
    virtual void uiScaleFactorChanged(double scaleFactor);
    // Identifier of the clipboard type to accept ("text/plain"), 0 for none.
    virtual unsigned uiClipboardDataOffer();
    virtual void uiFocus(bool focus, Skein::Window::CrossingMode mode);
    // Default: the toolkit's viewport and projection for the new size.
    virtual void uiReshape(unsigned width, unsigned height);

protected:
    // During construction the window takes the size at once; afterwards the host decides.
    void askWindowSize(unsigned width, unsigned height) override;

private:
    UI(editorLink& link, unsigned width, unsigned height,
        bool automaticallyScaleAndSetAsMinimumSize);
    editorLink& fLink;
};

} // namespace Orvane
