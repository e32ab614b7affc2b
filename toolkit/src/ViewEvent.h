// Platform-neutral events that a native view reports to its window; filled by the platform
// layer on the event-loop thread.
#pragma once

#include <cstdint>

namespace Skein {

enum class ViewEventType {
    configure,
    expose,
    close,
    focusIn,
    focusOut,
    keyPress,
    keyRelease,
    text,
    buttonPress,
    buttonRelease,
    motion,
    scroll,
    timer,
    dataOffer,
    data,
};

struct ViewEvent {
    ViewEventType type = ViewEventType::expose;
    unsigned mod = 0;
    double time = 0.0; // seconds
    double x = 0.0, y = 0.0;
    double dx = 0.0, dy = 0.0;
    unsigned button = 0; // toolkit numbering
    unsigned direction = 0; // ScrollDirection
    unsigned key = 0;
    unsigned keycode = 0;
    unsigned character = 0;
    char text[8] = {};
    unsigned width = 0, height = 0;
    int crossingMode = 0; // Window::CrossingMode
    uintptr_t timerId = 0;
    unsigned typeIndex = 0; // clipboard type, 1-based; 0 when nothing usable arrived
};

class ViewEventHandler {
public:
    virtual ~ViewEventHandler() = default;
    virtual void onViewEvent(const ViewEvent& event) = 0;
};

} // namespace Skein
