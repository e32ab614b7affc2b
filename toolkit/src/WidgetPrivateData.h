// State of a widget and the travel of events to its sub-widgets. Event-loop thread.
#pragma once

#include <list>
#include <string>

#include "skein/SubWidget.h"
#include "skein/Widget.h"

namespace Skein {

struct Widget::PrivateData {
    Widget* const self;
    TopLevelWidget* const topLevelWidget;
    Widget* const parentWidget;
    unsigned id = 0;
    std::string name;
    bool visible = true;
    bool needsScaling = false;
    Size<unsigned> size;
    std::list<SubWidget*> subWidgets;

    PrivateData(Widget* self, TopLevelWidget* topLevelWidget, Widget* parentWidget);

    // Offer the event to the visible sub-widgets, most recently added first, each with the
    // position made relative to it; true when one used it.
    bool giveToSubWidgets(const KeyboardEvent& event);
    bool giveToSubWidgets(const CharacterInputEvent& event);
    bool giveToSubWidgets(const MouseEvent& event);
    bool giveToSubWidgets(const MotionEvent& event);
    bool giveToSubWidgets(const ScrollEvent& event);

    // Draws the visible sub-widgets in order into a window of the given pixel size.
    void displaySubWidgets(unsigned windowWidth, unsigned windowHeight, double autoScaleFactor);

private:
    template <typename Event, typename Handler> bool offer(const Event& event, Handler handler);
};

struct SubWidget::PrivateData {
    SubWidget* const self;
    Widget* const parentWidget;
    Point<int> absolutePos;
    bool needsFullViewportForDrawing = false;
    bool needsViewportScaling = false;
    bool skipDrawing = false;
    double viewportScaleFactor = 0.0;

    PrivateData(SubWidget* self, Widget* parentWidget);
    void display(unsigned windowWidth, unsigned windowHeight, double autoScaleFactor);
};

} // namespace Skein
