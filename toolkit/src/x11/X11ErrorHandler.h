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

} // namespace Skein
