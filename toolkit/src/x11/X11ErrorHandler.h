// Keeps X protocol errors on the toolkit's own connections from ending the process (the default
// handler exits, e.g. when a host destroys its window before the embedded editor is closed).
// Errors on other connections go on to the handler that was installed before. Event-loop thread.
#pragma once

#include <X11/Xlib.h>

namespace Skein {

void installErrorHandler(Display* display);
void removeErrorHandler(Display* display);
// Code of the last error seen on the display since the previous call, 0 for none.
int takeLastError(Display* display);

// Reports whether X errors happened during a risky sequence (a host's window id, context
// creation); the toolkit's error handler keeps them from ending the process.
class ErrorTrap {
public:
    explicit ErrorTrap(Display* display) : fDisplay(display)
    {
        XSync(fDisplay, False);
        takeLastError(fDisplay);
    }
    bool failed()
    {
        XSync(fDisplay, False);
        return takeLastError(fDisplay) != 0;
    }

private:
    Display* fDisplay;
};

} // namespace Skein
