// State of a top-level widget and the entry points through which its window hands it events and
// drawing. Event-loop thread.
#pragma once

#include "skein/TopLevelWidget.h"

namespace Skein {

struct TopLevelWidget::PrivateData {
    TopLevelWidget* const self;
    Window& window;

    PrivateData(TopLevelWidget* self, Window& window);

    // Each returns false when the widget is hidden; with auto scaling the positions are made
    // unscaled first.
    bool keyboardEvent(const KeyboardEvent& event);
    bool characterInputEvent(const CharacterInputEvent& event);
    bool mouseEvent(const MouseEvent& event);
    bool motionEvent(const MotionEvent& event);
    bool scrollEvent(const ScrollEvent& event);

    void display();
};

} // namespace Skein
