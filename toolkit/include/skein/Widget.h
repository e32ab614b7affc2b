// Base of the widget tree: event records, key codes and the virtual handlers that input travels
// through. [main-thread] (the event loop).
#pragma once

#include <cstdint>

#include "skein/Geometry.h"

namespace Skein {

class TopLevelWidget;
class Window;

enum Modifier : unsigned {
    kModifierShift = 0x1,
    kModifierControl = 0x2,
    kModifierAlt = 0x4,
    kModifierSuper = 0x8,
};

enum Key : unsigned {
    kKeyBackspace = 8,
    kKeyTab = 9,
    kKeyEnter = 13,
    kKeyEscape = 27,
    kKeyDelete = 127,
    kKeyF1 = 0xE000,
    kKeyF12 = 0xE00B,
    kKeyLeft = 0xE00C,
    kKeyUp,
    kKeyRight,
    kKeyDown,
    kKeyPageUp,
    kKeyPageDown,
    kKeyHome,
    kKeyEnd,
    kKeyInsert,
    kKeyShiftL,
    kKeyShiftR,
    kKeyControlL,
    kKeyControlR,
    kKeyAltL,
    kKeyAltR,
    kKeySuperL,
    kKeySuperR,
    kKeyMenu,
    kKeyCapsLock,
    kKeyScrollLock,
    kKeyNumLock,
    kKeyPrintScreen,
    kKeyPause,
};

enum ScrollDirection : unsigned {
    kScrollUp = 0,
    kScrollDown = 1,
    kScrollLeft = 2,
    kScrollRight = 3,
    kScrollSmooth = 4,
};

class Widget {
public:
    struct BaseEvent {
        unsigned mod = 0; // Modifier bits
        unsigned flags = 0;
        unsigned time = 0; // milliseconds
    };
    struct KeyboardEvent : BaseEvent {
        bool press = false;
        unsigned key = 0; // Key or Unicode code point, 0 for unknown keys
        unsigned keycode = 0; // native key code
    };
    struct CharacterInputEvent : BaseEvent {
        unsigned keycode = 0;
        unsigned character = 0; // Unicode code point
        char string[8] = {}; // UTF-8, NUL-terminated
    };
    struct MouseEvent : BaseEvent {
        unsigned button = 0; // 1 left, 2 right, 3 middle, 4 and up extra buttons
        bool press = false;
        Point<double> pos; // relative to the receiving widget
        Point<double> absolutePos; // relative to the window
    };
    struct MotionEvent : BaseEvent {
        Point<double> pos;
        Point<double> absolutePos;
    };
    struct ScrollEvent : BaseEvent {
        Point<double> pos;
        Point<double> absolutePos;
        Point<double> delta;
        ScrollDirection direction = kScrollUp;
    };
    struct ResizeEvent {
        Size<unsigned> oldSize;
        Size<unsigned> size;
    };

    virtual ~Widget();

    virtual void requestRedraw();

    unsigned pixelWidth() const noexcept;
    unsigned pixelHeight() const noexcept;
    Size<unsigned> pixelSize() const noexcept;
    // No effect when unchanged; else handleResize, then a redraw.
    void setPixelSize(unsigned width, unsigned height);

    bool isShown() const noexcept;
    void makeVisible();
    void makeHidden();

    unsigned id() const noexcept;
    void setId(unsigned id) noexcept;
    const char* name() const noexcept;
    void setName(const char* name);

    TopLevelWidget* topWidget() const noexcept;
    // Null, with a message, for a widget outside any window.
    Window* hostWindow() const;

    struct PrivateData;

protected:
    virtual void paint() = 0;
    // Defaults offer the event to the sub-widgets and return whether one used it.
    virtual bool handleKey(const KeyboardEvent& event);
    virtual bool handleText(const CharacterInputEvent& event);
    virtual bool handleButton(const MouseEvent& event);
    virtual bool handlePointerMove(const MotionEvent& event);
    virtual bool handleWheel(const ScrollEvent& event);
    virtual void handleResize(const ResizeEvent& event);
    virtual void askWindowSize(unsigned width, unsigned height);

private:
    Widget(TopLevelWidget* topLevelWidget, Widget* parent);
    PrivateData* const pData;
    friend class SubWidget;
    friend class TopLevelWidget;

    Widget(const Widget&) = delete;
    Widget& operator=(const Widget&) = delete;
};

} // namespace Skein
