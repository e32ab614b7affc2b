// A toolkit widget that runs one Dear ImGui context: it feeds the context the widget's input,
// draws one Dear ImGui frame per redraw with OpenGL 2 and asks for a redraw every 16 ms for about
// half a second after each input (an untouched editor is not redrawn; requestRedraw() draws).
// [main-thread] only (the event loop's thread); several may live on one thread, each with its own
// context.
#pragma once

#include "skein/IdleCallback.h"
#include "skein/TopLevelWidget.h"

namespace Skein {

template <class BaseWidget> class ImGuiWidget;

template <> class ImGuiWidget<TopLevelWidget> : public TopLevelWidget, public IdleCallback {
public:
    // fontSize: pixel size of the default font before the window's scale factor.
    explicit ImGuiWidget(Window& window, double fontSize = 13.0);
    ~ImGuiWidget() override;

    // Requests a redraw while input is recent, so hover states and tooltips stay live.
    void onIdleTick() override;

    struct PrivateData;

protected:
    // Draws the frame's Dear ImGui windows; this widget's context is current.
    virtual void drawFrame() = 0;
    // For work with Dear ImGui outside of drawFrame (the constructor leaves it current too).
    void makeImGuiContextCurrent() const noexcept;
    double imguiScaleFactor() const noexcept;

    void paint() override;
    bool handleKey(const KeyboardEvent& event) override;
    bool handleText(const CharacterInputEvent& event) override;
    bool handleButton(const MouseEvent& event) override;
    bool handlePointerMove(const MotionEvent& event) override;
    bool handleWheel(const ScrollEvent& event) override;
    void handleResize(const ResizeEvent& event) override;

private:
    PrivateData* const imData;
};

} // namespace Skein
