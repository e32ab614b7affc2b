// A view's events: the native events it receives, turned into view events, and the configure
// and expose it delivers once per update. Event-loop thread.
#include "X11Internal.h"

namespace Skein {

void View::Impl::flushPending()
{
    // The software renderer crashes drawing into a window that no longer exists.
    if (window == 0 || windowDestroyed)
        return;
    const bool sizeChanged = width != deliveredWidth || height != deliveredHeight;
    if ((configurePending || (exposePending && mapped)) && sizeChanged) {
        ViewEvent configure;
        configure.type = ViewEventType::configure;
        configure.width = width;
        configure.height = height;
        deliveredWidth = width;
        deliveredHeight = height;
        enter();
        deliver(configure);
    }
    configurePending = false;
    if (exposePending && mapped) {
        exposePending = false;
        ViewEvent expose;
        expose.type = ViewEventType::expose;
        expose.width = width;
        expose.height = height;
        enter();
        deliver(expose);
        glXSwapBuffers(w.display, window);
    }
    if (context != nullptr && glXGetCurrentContext() == context)
        glXMakeCurrent(w.display, None, nullptr);
}

void View::Impl::enter()
{
    if (context != nullptr && !windowDestroyed)
        glXMakeCurrent(w.display, window, context);
}

void View::Impl::handleEvent(XEvent& event, bool filteredByInputMethod)
{
    switch (event.type) {
    case ConfigureNotify:
        width = static_cast<unsigned>(event.xconfigure.width);
        height = static_cast<unsigned>(event.xconfigure.height);
        configurePending = true;
        return;
    case MapNotify:
        mapped = true;
        exposePending = true;
        return;
    case UnmapNotify:
        mapped = false;
        return;
    case DestroyNotify:
        if (event.xdestroywindow.window == window) {
            windowDestroyed = true;
            mapped = false;
        }
        return;
    case Expose:
        exposePending = true;
        return;
    case ClientMessage:
        if (event.xclient.message_type == w.atoms.wmProtocols && event.xclient.format == 32 &&
            static_cast<Atom>(event.xclient.data.l[0]) == w.atoms.wmDeleteWindow) {
            ViewEvent close;
            close.type = ViewEventType::close;
            deliver(close);
        }
        return;
    case FocusIn:
    case FocusOut: {
        if (inputContext != nullptr) {
            if (event.type == FocusIn)
                XSetICFocus(inputContext);
            else
                XUnsetICFocus(inputContext);
        }
        ViewEvent focus;
        focus.type = event.type == FocusIn ? ViewEventType::focusIn : ViewEventType::focusOut;
        focus.crossingMode = event.xfocus.mode == NotifyGrab ? 1
            : event.xfocus.mode == NotifyUngrab              ? 2
                                                             : 0;
        deliver(focus);
        return;
    }
    case SelectionClear:
        if (event.xselectionclear.selection == w.atoms.clipboard) {
            clipboard.offeredData.clear();
            clipboard.offeredTypes.clear();
        }
        return;
    case SelectionRequest:
        answerSelectionRequest(*this, event.xselectionrequest);
        return;
    case SelectionNotify:
        receiveSelection(*this, event.xselection);
        return;
    default:
        break;
    }
    ViewEvent input;
    if (!translateInputEvent(event, input))
        return;
    deliver(input);
    if (event.type == KeyPress && !filteredByInputMethod && inputContext != nullptr &&
        translateTextInput(inputContext, event.xkey, input))
        deliver(input);
}

} // namespace Skein
