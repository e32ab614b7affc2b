// The X11 implementation of View: the window and its properties, size hints, mapping, the
// OpenGL context's use and server-time timers (events: X11ViewEvents.cpp). Event-loop thread.
#include <GL/glx.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "X11ErrorHandler.h"
#include "X11Internal.h"

namespace Skein {

namespace {

void setWindowTypeProperties(World::Impl& w, ::Window window)
{
    const long pid = static_cast<long>(getpid());
    XChangeProperty(w.display, window, w.atoms.netWmPid, XA_CARDINAL, 32, PropModeReplace,
        reinterpret_cast<const unsigned char*>(&pid), 1);
    const Atom pluginTypes[] = {w.atoms.netWmWindowTypeDialog, w.atoms.netWmWindowTypeNormal};
    const Atom standaloneTypes[] = {w.atoms.netWmWindowTypeNormal};
    const Atom* types = w.standalone ? standaloneTypes : pluginTypes;
    XChangeProperty(w.display, window, w.atoms.netWmWindowType, XA_ATOM, 32, PropModeReplace,
        reinterpret_cast<const unsigned char*>(types), w.standalone ? 1 : 2);
}

} // namespace

View::Impl::Impl(World& world_, ViewEventHandler& handler_)
    : world(world_), w(*world_.impl()), handler(handler_)
{
}

View::View(World& world, ViewEventHandler& handler) : pImpl(new Impl(world, handler))
{
    world.impl()->views.push_back(this);
}

View::~View()
{
    Impl& v = *pImpl;
    Display* display = v.w.display;
    auto& views = v.w.views;
    views.erase(std::remove(views.begin(), views.end(), this), views.end());
    for (const Timer& timer : v.timers)
        XSyncDestroyAlarm(display, timer.alarm);
    if (v.context != nullptr) {
        if (glXGetCurrentContext() == v.context)
            glXMakeCurrent(display, None, nullptr);
        glXDestroyContext(display, v.context);
    }
    if (v.inputContext != nullptr)
        XDestroyIC(v.inputContext);
    v.destroyWindow();
    XFlush(display);
    delete pImpl;
}

void View::setParent(uintptr_t parent) noexcept
{
    pImpl->parent = static_cast<::Window>(parent);
}

void View::setDefaultSize(unsigned width, unsigned height) noexcept
{
    pImpl->defaultWidth = width;
    pImpl->defaultHeight = height;
}

void View::setResizable(bool resizable) noexcept
{
    pImpl->resizable = resizable;
}
bool View::isResizable() const noexcept
{
    return pImpl->resizable;
}
bool View::isRealized() const noexcept
{
    return pImpl->window != 0;
}
uintptr_t View::nativeHandle() const noexcept
{
    return pImpl->window;
}
unsigned View::frameWidth() const noexcept
{
    return pImpl->width;
}
unsigned View::frameHeight() const noexcept
{
    return pImpl->height;
}

bool View::Impl::createWindow(GLXFBConfig config, unsigned frameWidth, unsigned frameHeight)
{
    Display* display = w.display;
    const int screen = DefaultScreen(display);
    const ::Window root = RootWindow(display, screen);
    int x = 0, y = 0;
    if (parent == 0) { // a free window is centred on the screen
        x = (DisplayWidth(display, screen) - static_cast<int>(frameWidth)) / 2;
        y = (DisplayHeight(display, screen) - static_cast<int>(frameHeight)) / 2;
    }
    XVisualInfo* visual = glXGetVisualFromFBConfig(display, config);
    if (visual == nullptr)
        return false;

    ErrorTrap trap(display);
    colormap = XCreateColormap(display, root, visual->visual, AllocNone);
    XSetWindowAttributes attributes{};
    attributes.colormap = colormap;
    attributes.border_pixel = 0;
    attributes.event_mask = KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
        EnterWindowMask | LeaveWindowMask | PointerMotionMask | ExposureMask | StructureNotifyMask |
        FocusChangeMask | PropertyChangeMask;
    window = XCreateWindow(display, parent != 0 ? parent : root, x, y, frameWidth, frameHeight, 0,
        visual->depth, InputOutput, visual->visual, CWColormap | CWEventMask | CWBorderPixel,
        &attributes);
    XFree(visual);
    if (trap.failed() || window == 0) {
        destroyWindow();
        return false;
    }
    return true;
}

void View::Impl::destroyWindow()
{
    if (window != 0 && !windowDestroyed)
        XDestroyWindow(w.display, window);
    if (colormap != 0)
        XFreeColormap(w.display, colormap);
    window = 0;
    colormap = 0;
}

void View::Impl::setWindowProperties()
{
    Display* display = w.display;
    updateSizeHints();
    XClassHint classHint{
        const_cast<char*>(w.className.c_str()), const_cast<char*>(w.className.c_str())};
    XSetClassHint(display, window, &classHint);
    if (parent == 0) {
        XSetWMProtocols(display, window, &w.atoms.wmDeleteWindow, 1);
        setWindowTypeProperties(w, window);
    }
    if (transientFor != 0)
        XSetTransientForHint(display, window, transientFor);
}

bool View::realize()
{
    Impl& v = *pImpl;
    Display* display = v.w.display;
    if (v.window != 0)
        return false;
    const unsigned width = v.width != 0 ? v.width : v.defaultWidth;
    const unsigned height = v.height != 0 ? v.height : v.defaultHeight;
    if (width == 0 || height == 0)
        return false;

    const int screen = DefaultScreen(display);
    GLXFBConfig config = chooseFramebufferConfig(display, screen);
    if (config == nullptr || !v.createWindow(config, width, height))
        return false;
    v.context = createContext(display, screen, config);
    if (v.context == nullptr) {
        v.destroyWindow();
        return false;
    }
    v.width = width;
    v.height = height;
    v.setWindowProperties();
    if (!v.title.empty())
        setTitle(v.title.c_str());
    if (v.w.inputMethod != nullptr)
        v.inputContext =
            XCreateIC(v.w.inputMethod, XNInputStyle, XIMPreeditNothing | XIMStatusNothing,
                XNClientWindow, v.window, XNFocusWindow, v.window, nullptr);
    return true;
}

void View::show(bool raise)
{
    if (pImpl->window == 0 || pImpl->windowDestroyed)
        return;
    if (raise)
        XMapRaised(pImpl->w.display, pImpl->window);
    else
        XMapWindow(pImpl->w.display, pImpl->window);
    XFlush(pImpl->w.display);
}

void View::hide()
{
    if (pImpl->window == 0 || pImpl->windowDestroyed)
        return;
    XUnmapWindow(pImpl->w.display, pImpl->window);
    XFlush(pImpl->w.display);
}

void View::setSize(unsigned width, unsigned height)
{
    Impl& v = *pImpl;
    v.width = width;
    v.height = height;
    if (v.window == 0)
        return;
    XResizeWindow(v.w.display, v.window, width, height);
    v.updateSizeHints();
    XFlush(v.w.display);
}

void View::setMinimumSize(unsigned width, unsigned height, bool keepAspectRatio)
{
    Impl& v = *pImpl;
    v.minWidth = width;
    v.minHeight = height;
    v.keepAspectRatio = keepAspectRatio;
    if (v.window != 0)
        v.updateSizeHints();
}

void View::Impl::updateSizeHints()
{
    XSizeHints* hints = XAllocSizeHints();
    if (hints == nullptr)
        return;
    if (resizable) {
        hints->flags = PBaseSize;
        hints->base_width = static_cast<int>(defaultWidth);
        hints->base_height = static_cast<int>(defaultHeight);
        if (minWidth != 0 && minHeight != 0) {
            hints->flags |= PMinSize;
            hints->min_width = static_cast<int>(minWidth);
            hints->min_height = static_cast<int>(minHeight);
            if (keepAspectRatio) {
                hints->flags |= PAspect;
                hints->min_aspect.x = hints->max_aspect.x = static_cast<int>(minWidth);
                hints->min_aspect.y = hints->max_aspect.y = static_cast<int>(minHeight);
            }
        }
    } else {
        hints->flags = PBaseSize | PMinSize | PMaxSize;
        hints->base_width = hints->min_width = hints->max_width = static_cast<int>(width);
        hints->base_height = hints->min_height = hints->max_height = static_cast<int>(height);
    }
    XSetWMNormalHints(w.display, window, hints);
    XFree(hints);
}

void View::setTitle(const char* title)
{
    Impl& v = *pImpl;
    v.title = title;
    if (v.window == 0)
        return;
    XStoreName(v.w.display, v.window, title);
    XChangeProperty(v.w.display, v.window, v.w.atoms.netWmName, v.w.atoms.utf8String, 8,
        PropModeReplace, reinterpret_cast<const unsigned char*>(title),
        static_cast<int>(std::strlen(title)));
}

void View::setTransientFor(uintptr_t owner)
{
    Impl& v = *pImpl;
    v.transientFor = static_cast<::Window>(owner);
    if (v.window != 0)
        XSetTransientForHint(v.w.display, v.window, v.transientFor);
}

void View::postRedisplay() noexcept
{
    pImpl->exposePending = true;
}

bool View::enterContext()
{
    Impl& v = *pImpl;
    return v.context != nullptr && !v.windowDestroyed &&
        glXMakeCurrent(v.w.display, v.window, v.context) == True;
}

void View::leaveContext()
{
    if (pImpl->context != nullptr)
        glXMakeCurrent(pImpl->w.display, None, nullptr);
}

bool View::startTimer(uintptr_t id, double periodSeconds)
{
    Impl& v = *pImpl;
    if (!v.w.hasServerTime)
        return false;
    stopTimer(id);
    XSyncValue period;
    // NaN, negative and huge periods are clamped before the conversion to whole milliseconds.
    double periodMs = periodSeconds * 1000.0;
    if (!(periodMs >= 1.0))
        periodMs = 1.0;
    periodMs = std::min(periodMs, static_cast<double>(INT_MAX));
    XSyncIntToValue(&period, static_cast<int>(periodMs));
    XSyncAlarmAttributes attributes{};
    attributes.trigger.counter = v.w.serverTimeCounter;
    attributes.trigger.value_type = XSyncRelative;
    attributes.trigger.wait_value = period;
    attributes.trigger.test_type = XSyncPositiveComparison;
    attributes.delta = period;
    attributes.events = True;
    const XSyncAlarm alarm = XSyncCreateAlarm(v.w.display,
        XSyncCACounter | XSyncCAValueType | XSyncCAValue | XSyncCATestType | XSyncCADelta |
            XSyncCAEvents,
        &attributes);
    if (alarm == None)
        return false;
    v.timers.push_back({alarm, id});
    XFlush(v.w.display);
    return true;
}

bool View::stopTimer(uintptr_t id)
{
    Impl& v = *pImpl;
    for (auto it = v.timers.begin(); it != v.timers.end(); ++it) {
        if (it->id == id) {
            XSyncDestroyAlarm(v.w.display, it->alarm);
            v.timers.erase(it);
            return true;
        }
    }
    return false;
}

} // namespace Skein
