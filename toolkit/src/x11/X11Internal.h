// X11/GLX state behind World and View, shared by the files of the platform layer only.
// Event-loop thread.
#pragma once

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/sync.h>

#include <cstdint>
#include <string>
#include <vector>

#include "../View.h"
#include "../ViewEvent.h"
#include "../World.h"

namespace Skein {

struct Atoms {
    Atom clipboard, utf8String, wmProtocols, wmDeleteWindow, netWmName, netWmState,
        netWmStateDemandsAttention, netWmStateHidden, targets, uriList, textPlain, incr, multiple,
        netWmPid, netWmWindowType, netWmWindowTypeDialog, netWmWindowTypeNormal;
};

struct World::Impl {
    Display* display = nullptr;
    bool standalone = false;
    double scaleFactor = 1.0;
    Atoms atoms{};
    XIM inputMethod = nullptr;
    XSyncCounter serverTimeCounter = 0;
    int syncEventBase = 0;
    bool hasServerTime = false;
    std::string className = "Skein";
    double startTime = 0.0;
    std::vector<View*> views;
    bool dispatching = false;

    View* findView(::Window window) const noexcept;
    void dispatchQueued();
    void dispatchEvent(XEvent& event);
    void flushViews();
};

struct Timer {
    XSyncAlarm alarm;
    uintptr_t id;
};

struct Clipboard {
    std::vector<char> offeredData; // ends with a NUL byte
    std::vector<Atom> offeredTypes;
    std::vector<Atom> incomingTypes; // what the current owner offers
    std::vector<std::string> incomingTypeNames;
    std::vector<char> receivedData; // ends with a NUL byte when not empty
    Atom requestedType = None;
};

struct View::Impl {
    World& world;
    World::Impl& w;
    ViewEventHandler& handler;
    ::Window window = 0;
    ::Window parent = 0;
    ::Window transientFor = 0;
    GLXContext context = nullptr;
    Colormap colormap = 0;
    bool mapped = false;
    // Set when the server destroyed the window (a host destroying its own window destroys the
    // editor's with it): nothing is drawn into it any more.
    bool windowDestroyed = false;
    XIC inputContext = nullptr;
    unsigned defaultWidth = 640, defaultHeight = 480;
    unsigned width = 0, height = 0; // current frame
    unsigned minWidth = 0, minHeight = 0;
    bool keepAspectRatio = false;
    bool resizable = true;
    std::string title;
    bool exposePending = false;
    bool configurePending = false;
    unsigned deliveredWidth = 0, deliveredHeight = 0;
    std::vector<Timer> timers;
    Clipboard clipboard;

    Impl(World& world, ViewEventHandler& handler);
    void deliver(const ViewEvent& event) { handler.onViewEvent(event); }
    bool createWindow(GLXFBConfig config, unsigned frameWidth, unsigned frameHeight);
    void destroyWindow();
    void setWindowProperties();
    void updateSizeHints();
    void flushPending();
    void enter();
    void handleEvent(XEvent& event, bool filteredByInputMethod);
};

// Event translation (X11EventTranslation.cpp): fills a view event from a native one; false when
// the native event produces nothing for the window.
bool translateInputEvent(XEvent& event, ViewEvent& out);
// Key press text through the input method; false when there is none.
bool translateTextInput(XIC inputContext, XKeyEvent& key, ViewEvent& out);
unsigned keySymToKey(KeySym sym, const char* lookedUpText, int textLength) noexcept;

// GLX (X11Glx.cpp): the first configuration with the toolkit's buffers, null when none; a
// compatibility-profile OpenGL 2 context for it, null when none can be made.
GLXFBConfig chooseFramebufferConfig(Display* display, int screen);
GLXContext createContext(Display* display, int screen, GLXFBConfig config);

// Clipboard (X11Clipboard.cpp).
void answerSelectionRequest(View::Impl& view, const XSelectionRequestEvent& request);
void receiveSelection(View::Impl& view, const XSelectionEvent& notify);

// Scale factor of the display from its "Xft.dpi" resource, 1 when missing or unusable.
double displayScaleFactor(Display* display);

} // namespace Skein
