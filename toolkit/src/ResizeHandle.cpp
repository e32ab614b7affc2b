// The corner grip: its geometry, drawing and the drag that resizes the window within its minimum
// size and the largest size. Event-loop thread.
#include "skein/ResizeHandle.h"

#include <GL/gl.h>

#include <algorithm>

#include "skein/Window.h"

namespace Skein {

ResizeHandle::ResizeHandle(Widget* parent, unsigned gripSize)
    : SubWidget(parent), fGripSize(gripSize)
{
    setNeedsFullViewportDrawing();
    if (parent != nullptr)
        setPixelSize(parent->pixelWidth(), parent->pixelHeight());
}

void ResizeHandle::handleResize(const ResizeEvent& event)
{
    const Window* window = hostWindow();
    const double scale = window != nullptr ? window->scaleFactor() : 1.0;
    const unsigned size = static_cast<unsigned>(fGripSize * scale);
    const unsigned width = event.size.width, height = event.size.height;
    fResizeArea = {
        {width > size ? width - size : 0, height > size ? height - size : 0}, {size, size}};
    const double x = fResizeArea.pos.x, y = fResizeArea.pos.y, s = size, t = size / 3;
    fLines[0] = {{x, y + s}, {x + s, y}};
    fLines[1] = {{x + t, y + s}, {x + s, y + t}};
    fLines[2] = {{x + 2 * t, y + s}, {x + s, y + 2 * t}};
}

void ResizeHandle::paint()
{
    const Window* window = hostWindow();
    if (window == nullptr || fResizeArea.size.width < 3)
        return;
    const double scale = window->scaleFactor();
    Color{1.0f, 1.0f, 1.0f, 1.0f}.setFor();
    for (const Line<double>& line : fLines)
        line.draw(scale);
    Color{0.0f, 0.0f, 0.0f, 1.0f}.setFor();
    for (const Line<double>& line : fLines)
        Line<double>{{line.posStart.x + scale, line.posStart.y + scale},
            {line.posEnd.x + scale, line.posEnd.y + scale}}
            .draw(scale);
}

bool ResizeHandle::handleButton(const MouseEvent& event)
{
    if (event.button != 1)
        return false;
    Window* window = hostWindow();
    if (window == nullptr)
        return false;
    if (event.press && fResizeArea.hitTest(event.pos)) {
        fResizing = true;
        fLastResizePoint = event.pos;
        const Size<unsigned> size = window->pixelSize();
        fResizingSize = {static_cast<double>(size.width), static_cast<double>(size.height)};
        return true;
    }
    if (!event.press && fResizing) {
        fResizing = false;
        updateCursor(event.pos);
        return true;
    }
    return false;
}

bool ResizeHandle::handlePointerMove(const MotionEvent& event)
{
    if (!fResizing) {
        updateCursor(event.pos);
        return false;
    }
    Window* window = hostWindow();
    if (window == nullptr)
        return false;
    fResizingSize.width += event.pos.x - fLastResizePoint.x;
    fResizingSize.height += event.pos.y - fLastResizePoint.y;
    fLastResizePoint = event.pos;
    bool keepAspectRatio = false;
    const Size<unsigned> minimum = window->sizeLimits(keepAspectRatio);
    // A window needs more than one pixel each way, whatever its limits say.
    const double minWidth = std::max(2.0, static_cast<double>(minimum.width));
    const double minHeight = std::max(2.0, static_cast<double>(minimum.height));
    fResizingSize.width = std::clamp(fResizingSize.width, minWidth, kMaximumSize);
    fResizingSize.height = std::clamp(fResizingSize.height, minHeight, kMaximumSize);
    window->setPixelSize(
        static_cast<unsigned>(fResizingSize.width), static_cast<unsigned>(fResizingSize.height));
    return true;
}

void ResizeHandle::updateCursor(const Point<double>& pos)
{
    const bool inside = fResizeArea.hitTest(pos);
    if (inside == fHasCursor)
        return;
    fHasCursor = inside;
    if (Window* window = hostWindow())
        window->setCursor(inside ? Window::Cursor::DiagonalResize : Window::Cursor::Arrow);
}

} // namespace Skein
