// Translates X11 input events (keys, text, buttons, wheel, motion) into view events with the
// toolkit's key codes, modifier bits and button numbers. Event-loop thread.
#include <X11/keysym.h>

#include "X11Internal.h"
#include "skein/Widget.h"

namespace Skein {

namespace {

struct SpecialKey {
    KeySym sym;
    unsigned key;
};

constexpr SpecialKey kSpecialKeys[] = {
    {XK_BackSpace, kKeyBackspace},
    {XK_Tab, kKeyTab},
    {XK_ISO_Left_Tab, kKeyTab},
    {XK_Return, kKeyEnter},
    {XK_KP_Enter, kKeyEnter},
    {XK_Escape, kKeyEscape},
    {XK_Delete, kKeyDelete},
    {XK_Left, kKeyLeft},
    {XK_Up, kKeyUp},
    {XK_Right, kKeyRight},
    {XK_Down, kKeyDown},
    {XK_Page_Up, kKeyPageUp},
    {XK_Page_Down, kKeyPageDown},
    {XK_Home, kKeyHome},
    {XK_End, kKeyEnd},
    {XK_Insert, kKeyInsert},
    {XK_Shift_L, kKeyShiftL},
    {XK_Shift_R, kKeyShiftR},
    {XK_Control_L, kKeyControlL},
    {XK_Control_R, kKeyControlR},
    {XK_Alt_L, kKeyAltL},
    {XK_Alt_R, kKeyAltR},
    {XK_ISO_Level3_Shift, kKeyAltR},
    {XK_Super_L, kKeySuperL},
    {XK_Super_R, kKeySuperR},
    {XK_Menu, kKeyMenu},
    {XK_Caps_Lock, kKeyCapsLock},
    {XK_Scroll_Lock, kKeyScrollLock},
    {XK_Num_Lock, kKeyNumLock},
    {XK_Print, kKeyPrintScreen},
    {XK_Pause, kKeyPause},
};

unsigned translateModifiers(unsigned state) noexcept
{
    return ((state & ShiftMask) ? kModifierShift : 0u) |
        ((state & ControlMask) ? kModifierControl : 0u) | ((state & Mod1Mask) ? kModifierAlt : 0u) |
        ((state & Mod4Mask) ? kModifierSuper : 0u);
}

// The modifier bit a modifier key stands for, 0 for other keys.
unsigned modifierOfKey(unsigned key) noexcept
{
    switch (key) {
    case kKeyShiftL:
    case kKeyShiftR:
        return kModifierShift;
    case kKeyControlL:
    case kKeyControlR:
        return kModifierControl;
    case kKeyAltL:
    case kKeyAltR:
        return kModifierAlt;
    case kKeySuperL:
    case kKeySuperR:
        return kModifierSuper;
    default:
        return 0;
    }
}

// Decodes the first code point of at most length bytes of UTF-8; 0 when malformed.
unsigned decodeUtf8(const unsigned char* s, int length) noexcept
{
    if (length <= 0)
        return 0;
    const unsigned lead = s[0];
    int extra = 0;
    unsigned cp = 0;
    if (lead < 0x80)
        return lead;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else
        return 0;
    if (extra >= length)
        return 0;
    for (int i = 1; i <= extra; ++i) {
        if ((s[i] & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (s[i] & 0x3F);
    }
    return cp;
}

void translateKey(XKeyEvent& xkey, ViewEvent& out)
{
    char text[8] = {};
    KeySym sym = NoSymbol;
    const int length = XLookupString(&xkey, text, sizeof text - 1, &sym, nullptr);
    out.type = xkey.type == KeyPress ? ViewEventType::keyPress : ViewEventType::keyRelease;
    out.keycode = xkey.keycode;
    out.key = keySymToKey(sym, text, length);
    out.mod = translateModifiers(xkey.state);
    if (const unsigned bit = modifierOfKey(out.key)) {
        if (xkey.type == KeyPress)
            out.mod |= bit;
        else
            out.mod &= ~bit;
    }
    if (out.key >= 'A' && out.key <= 'Z') {
        out.key += 'a' - 'A';
        out.mod |= kModifierShift;
    }
    out.x = xkey.x;
    out.y = xkey.y;
}

bool translateButton(XButtonEvent& xbutton, ViewEvent& out)
{
    out.mod = translateModifiers(xbutton.state);
    out.x = xbutton.x;
    out.y = xbutton.y;
    const unsigned native = xbutton.button;
    if (native >= 4 && native <= 7) {
        if (xbutton.type != ButtonPress)
            return false;
        static constexpr double kDx[] = {0.0, 0.0, -1.0, 1.0};
        static constexpr double kDy[] = {1.0, -1.0, 0.0, 0.0};
        out.type = ViewEventType::scroll;
        out.direction = native - 4;
        out.dx = kDx[native - 4];
        out.dy = kDy[native - 4];
        return true;
    }
    out.type =
        xbutton.type == ButtonPress ? ViewEventType::buttonPress : ViewEventType::buttonRelease;
    out.button = native == 2 ? 3 : native == 3 ? 2 : native >= 8 ? native - 4 : native;
    return out.button != 0;
}

} // namespace

unsigned keySymToKey(KeySym sym, const char* lookedUpText, int textLength) noexcept
{
    for (const SpecialKey& special : kSpecialKeys)
        if (special.sym == sym)
            return special.key;
    if (sym >= XK_F1 && sym <= XK_F12)
        return kKeyF1 + static_cast<unsigned>(sym - XK_F1);
    if ((sym >= 0x20 && sym <= 0x7e) || (sym >= 0xa0 && sym <= 0xff))
        return static_cast<unsigned>(sym);
    if (sym >= 0x01000100 && sym <= 0x0110ffff)
        return static_cast<unsigned>(sym - 0x01000000);
    // Keypad and other keys whose keysym is no code point: take the layout's text if printable.
    if (lookedUpText != nullptr && textLength > 0) {
        const unsigned cp =
            decodeUtf8(reinterpret_cast<const unsigned char*>(lookedUpText), textLength);
        if (cp >= 0x20 && cp != 0x7f)
            return cp;
    }
    return 0;
}

bool translateInputEvent(XEvent& event, ViewEvent& out)
{
    switch (event.type) {
    case KeyPress:
    case KeyRelease:
        translateKey(event.xkey, out);
        out.time = event.xkey.time / 1000.0;
        return true;
    case ButtonPress:
    case ButtonRelease:
        out.time = event.xbutton.time / 1000.0;
        return translateButton(event.xbutton, out);
    case MotionNotify:
        out.type = ViewEventType::motion;
        out.mod = translateModifiers(event.xmotion.state);
        out.x = event.xmotion.x;
        out.y = event.xmotion.y;
        out.time = event.xmotion.time / 1000.0;
        return true;
    default:
        return false;
    }
}

bool translateTextInput(XIC inputContext, XKeyEvent& key, ViewEvent& out)
{
    char text[8] = {};
    KeySym sym = NoSymbol;
    Status status = 0;
    const int length = Xutf8LookupString(inputContext, &key, text, 7, &sym, &status);
    if ((status != XLookupChars && status != XLookupBoth) || length <= 0 || length > 7)
        return false;
    const unsigned character = decodeUtf8(reinterpret_cast<const unsigned char*>(text), length);
    if (character == 0)
        return false;
    out.type = ViewEventType::text;
    out.character = character;
    for (int i = 0; i < 8; ++i)
        out.text[i] = i < length ? text[i] : '\0';
    return true;
}

} // namespace Skein
