// Pointer shapes of a view, from the X cursor font. Event-loop thread.
#include <X11/cursorfont.h>

#include "X11Internal.h"

namespace Skein {

void View::setResizeCursor(bool resize)
{
    Impl& v = *pImpl;
    if (v.window == 0)
        return;
    const Cursor cursor =
        XCreateFontCursor(v.w.display, resize ? XC_bottom_right_corner : XC_left_ptr);
    XDefineCursor(v.w.display, v.window, cursor);
    // The window keeps using the cursor; only our handle to it goes.
    XFreeCursor(v.w.display, cursor);
    XFlush(v.w.display);
}

} // namespace Skein
