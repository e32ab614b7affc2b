// A widget placed at a position inside a parent widget. [main-thread] (the event loop).
#pragma once

#include "skein/Widget.h"

namespace Skein {

class SubWidget : public Widget {
public:
    explicit SubWidget(Widget* parent);
    ~SubWidget() override;

    // Position relative to the window.
    void placeAt(int x, int y);
    int absoluteLeft() const noexcept;
    int absoluteTop() const noexcept;
    Point<int> absolutePos() const noexcept;
    Rectangle<int> absoluteArea() const noexcept;
    Widget* parentWidget() const noexcept;

    void setNeedsFullViewportDrawing(bool needs = true) noexcept;
    void setNeedsViewportScaling(bool needs = true, double scaleFactor = 0.0) noexcept;
    void setSkipDrawing(bool skip = true) noexcept;

    void requestRedraw() override;

    struct PrivateData;

private:
    PrivateData* const sData;
    friend class Widget;
    friend class TopLevelWidget;
};

} // namespace Skein
