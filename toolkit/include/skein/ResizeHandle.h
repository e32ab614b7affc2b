// A corner grip for resizing a window by dragging: three diagonal lines in the bottom-right
// corner of its own area (size it to cover the window). Event-loop (main) thread only.
#pragma once

#include "skein/SubWidget.h"

namespace Skein {

class ResizeHandle : public SubWidget {
public:
    // Takes the parent's size; the grip is gripSize pixels before the window's scale factor.
    explicit ResizeHandle(Widget* parent, unsigned gripSize = 16);

    // The largest width and height a drag gives the window.
    static constexpr double kMaximumSize = 16384.0;

    Rectangle<unsigned> resizeArea() const noexcept { return fResizeArea; }
    const Line<double>& line(int index) const noexcept { return fLines[index]; }
    bool isResizing() const noexcept { return fResizing; }

protected:
    void paint() override;
    bool handleButton(const MouseEvent& event) override;
    bool handlePointerMove(const MotionEvent& event) override;
    void handleResize(const ResizeEvent& event) override;

private:
    void updateCursor(const Point<double>& pos);

    Rectangle<unsigned> fResizeArea;
    Line<double> fLines[3];
    unsigned fGripSize;
    bool fHasCursor = false;
    Point<double> fLastResizePoint;
    Size<double> fResizingSize;
    bool fResizing = false;
};

} // namespace Skein
