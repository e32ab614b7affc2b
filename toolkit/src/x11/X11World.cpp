// The X11 implementation of World: opens the display, interns atoms, opens the input method,
// finds the server-time counter and runs the update loop. Event-loop thread.
#include <X11/Xresource.h>
#include <sys/select.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <ctime>

#include "../SizeRules.h"
#include "X11ErrorHandler.h"
#include "X11Internal.h"

namespace Skein {

namespace {

double monotonicSeconds() noexcept
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + ts.tv_nsec * 1e-9;
}

Atoms internAtoms(Display* display)
{
    Atoms a{};
    auto intern = [display](const char* name) { return XInternAtom(display, name, False); };
    a.clipboard = intern("CLIPBOARD");
    a.utf8String = intern("UTF8_STRING");
    a.wmProtocols = intern("WM_PROTOCOLS");
    a.wmDeleteWindow = intern("WM_DELETE_WINDOW");
    a.netWmName = intern("_NET_WM_NAME");
    a.netWmState = intern("_NET_WM_STATE");
    a.netWmStateDemandsAttention = intern("_NET_WM_STATE_DEMANDS_ATTENTION");
    a.netWmStateHidden = intern("_NET_WM_STATE_HIDDEN");
    a.targets = intern("TARGETS");
    a.uriList = intern("text/uri-list");
    a.textPlain = intern("text/plain");
    a.incr = intern("INCR");
    a.multiple = intern("MULTIPLE");
    a.netWmPid = intern("_NET_WM_PID");
    a.netWmWindowType = intern("_NET_WM_WINDOW_TYPE");
    a.netWmWindowTypeDialog = intern("_NET_WM_WINDOW_TYPE_DIALOG");
    a.netWmWindowTypeNormal = intern("_NET_WM_WINDOW_TYPE_NORMAL");
    return a;
}

XIM openInputMethod(Display* display)
{
    XSetLocaleModifiers("");
    XIM im = XOpenIM(display, nullptr, nullptr, nullptr);
    if (im == nullptr) {
        XSetLocaleModifiers("@im=");
        im = XOpenIM(display, nullptr, nullptr, nullptr);
    }
    return im;
}

void findServerTimeCounter(World::Impl& w)
{
    int errorBase = 0, major = 0, minor = 0;
    if (!XSyncQueryExtension(w.display, &w.syncEventBase, &errorBase) ||
        !XSyncInitialize(w.display, &major, &minor))
        return;
    int count = 0;
    XSyncSystemCounter* counters = XSyncListSystemCounters(w.display, &count);
    for (int i = 0; counters != nullptr && i < count; ++i) {
        if (std::string(counters[i].name) == "SERVERTIME") {
            w.serverTimeCounter = counters[i].counter;
            w.hasServerTime = true;
        }
    }
    if (counters != nullptr)
        XSyncFreeSystemCounterList(counters);
}

// Waits until the connection is readable or the time is up; false on a wait error.
bool waitForDisplay(Display* display, double seconds)
{
    const int fd = ConnectionNumber(display);
    fd_set fds;
    FD_ZERO(&fds);
    FD_SET(fd, &fds);
    timeval tv{};
    timeval* timeout = nullptr;
    if (seconds >= 0.0) {
        tv.tv_sec = static_cast<time_t>(seconds);
        tv.tv_usec = static_cast<suseconds_t>((seconds - std::floor(seconds)) * 1e6);
        timeout = &tv;
    }
    const int ret = select(fd + 1, &fds, nullptr, nullptr, timeout);
    return ret >= 0 || errno == EINTR;
}

} // namespace

double displayScaleFactor(Display* display)
{
    const char* resources = XResourceManagerString(display);
    if (resources == nullptr)
        return 1.0;
    XrmInitialize();
    XrmDatabase db = XrmGetStringDatabase(resources);
    if (db == nullptr)
        return 1.0;
    char* type = nullptr;
    XrmValue value{};
    double factor = 1.0;
    if (XrmGetResource(db, "Xft.dpi", "Xft.Dpi", &type, &value) && type != nullptr &&
        std::string(type) == "String" && value.addr != nullptr)
        factor = scaleFactorFromDpiText(value.addr);
    XrmDestroyDatabase(db);
    return factor;
}

World* World::open(bool standalone)
{
    if (standalone)
        XInitThreads();
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return nullptr;
    installErrorHandler(display);

    auto* impl = new World::Impl;
    impl->display = display;
    impl->standalone = standalone;
    impl->scaleFactor = displayScaleFactor(display);
    impl->atoms = internAtoms(display);
    impl->inputMethod = openInputMethod(display);
    findServerTimeCounter(*impl);
    impl->startTime = monotonicSeconds();
    return new World(impl);
}

World::~World()
{
    if (pImpl->inputMethod != nullptr)
        XCloseIM(pImpl->inputMethod);
    XCloseDisplay(pImpl->display);
    removeErrorHandler(pImpl->display);
    delete pImpl;
}

bool World::isStandalone() const noexcept
{
    return pImpl->standalone;
}
double World::scaleFactor() const noexcept
{
    return pImpl->scaleFactor;
}
double World::elapsedSeconds() const noexcept
{
    return monotonicSeconds() - pImpl->startTime;
}
void World::setClassName(const char* name)
{
    pImpl->className = name;
}
const std::string& World::className() const noexcept
{
    return pImpl->className;
}

void World::update(double timeout)
{
    Impl& w = *pImpl;
    w.dispatching = true;
    if (timeout < 0.0) {
        if (XPending(w.display) == 0)
            waitForDisplay(w.display, -1.0);
        w.dispatchQueued();
    } else if (timeout <= 0.001) {
        w.dispatchQueued();
    } else {
        const double end = monotonicSeconds() + timeout - 0.001;
        for (double now = monotonicSeconds(); now < end; now = monotonicSeconds()) {
            if (XPending(w.display) == 0 && !waitForDisplay(w.display, end - now))
                break;
            w.dispatchQueued();
        }
    }
    w.flushViews();
    w.dispatching = false;
}

void World::dispatchAvailable(double maxWaitSeconds)
{
    Impl& w = *pImpl;
    if (XPending(w.display) == 0)
        waitForDisplay(w.display, maxWaitSeconds);
    w.dispatchQueued();
}

View* World::Impl::findView(::Window window) const noexcept
{
    for (View* view : views)
        if (view->impl()->window == window)
            return view;
    return nullptr;
}

void World::Impl::dispatchQueued()
{
    // XPending flushes the output and reads what has arrived without blocking.
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        dispatchEvent(event);
    }
}

void World::Impl::dispatchEvent(XEvent& event)
{
    const bool filtered = XFilterEvent(&event, None) == True;
    if (event.type == MappingNotify) {
        // Keep key lookups in step with a changed keyboard layout.
        XRefreshKeyboardMapping(&event.xmapping);
        return;
    }
    if (hasServerTime && event.type == syncEventBase + XSyncAlarmNotify) {
        const auto& notify = reinterpret_cast<const XSyncAlarmNotifyEvent&>(event);
        for (View* view : views)
            for (const Timer& timer : view->impl()->timers)
                if (timer.alarm == notify.alarm) {
                    ViewEvent timerEvent;
                    timerEvent.type = ViewEventType::timer;
                    timerEvent.timerId = timer.id;
                    view->impl()->deliver(timerEvent);
                    return;
                }
        return;
    }
    ::Window target = event.xany.window;
    if (event.type == SelectionRequest)
        target = event.xselectionrequest.owner;
    if (View* view = findView(target))
        view->impl()->handleEvent(event, filtered);
}

void World::Impl::flushViews()
{
    // A view's handler may add or remove views; iterate over a snapshot.
    const std::vector<View*> snapshot = views;
    for (View* view : snapshot)
        if (std::find(views.begin(), views.end(), view) != views.end())
            view->impl()->flushPending();
}

} // namespace Skein
