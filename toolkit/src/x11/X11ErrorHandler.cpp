// The process-wide X error handler shared by every toolkit connection. Any thread that runs
// Xlib may call the handler; the table of connections is guarded by a mutex.
#include "X11ErrorHandler.h"

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

namespace Skein {

namespace {

struct Connection {
    Display* display;
    int lastError;
};

std::mutex gMutex;
std::vector<Connection> gConnections;
XErrorHandler gPrevious = nullptr;

int handleError(Display* display, XErrorEvent* error)
{
    XErrorHandler previous = nullptr;
    {
        std::lock_guard<std::mutex> lock(gMutex);
        for (Connection& c : gConnections)
            if (c.display == display) {
                c.lastError = error->error_code;
                return 0;
            }
        previous = gPrevious;
    }
    return previous != nullptr ? previous(display, error) : 0;
}

} // namespace

void installErrorHandler(Display* display)
{
    std::lock_guard<std::mutex> lock(gMutex);
    if (gConnections.empty())
        gPrevious = XSetErrorHandler(handleError);
    gConnections.push_back({display, 0});
}

void removeErrorHandler(Display* display)
{
    std::lock_guard<std::mutex> lock(gMutex);
    gConnections.erase(std::remove_if(gConnections.begin(), gConnections.end(),
                           [display](const Connection& c) { return c.display == display; }),
        gConnections.end());
    if (!gConnections.empty())
        return;
    const XErrorHandler current = XSetErrorHandler(gPrevious);
    // Someone installed a handler after ours: leave theirs in place.
    if (current != handleError)
        XSetErrorHandler(current);
    gPrevious = nullptr;
}

int takeLastError(Display* display)
{
    std::lock_guard<std::mutex> lock(gMutex);
    for (Connection& c : gConnections)
        if (c.display == display)
            return std::exchange(c.lastError, 0);
    return 0;
}

} // namespace Skein
