// Shared pieces of the toolkit tests that run on a real X server: a second client that
// synthesises input with XTEST and inspects windows, widgets that record what reaches them, and
// bounded event pumping.
#pragma once

#include <X11/Xlib.h>

#include <string>
#include <vector>

#include "skein/Application.h"
#include "skein/SubWidget.h"
#include "skein/TopLevelWidget.h"
#include "skein/Window.h"

namespace SkeinTest {

// Pumps with a short timeout until done() holds; false when the bound is reached first.
template <typename Condition>
bool pumpUntil(Skein::Application& app, Condition done, int maxRounds = 400)
{
    for (int round = 0; round < maxRounds; ++round) {
        if (done())
            return true;
        app.pumpEvents(10);
    }
    return done();
}

// The test's own connection to the server, for input, inspection and foreign windows.
class TestClient {
public:
    TestClient();
    ~TestClient();
    Display* display() const { return fDisplay; }

    void key(KeySym sym, bool press);
    void tapKey(KeySym sym);
    void button(unsigned button, bool press);
    void clickButton(unsigned button);
    // Moves the pointer to a position inside the given window.
    void movePointerTo(uintptr_t window, int x, int y);
    void focus(uintptr_t window);
    void sync();

    // A keycode whose keysym the test may replace, mapped to sym.
    KeyCode mapSpareKey(KeySym sym);

private:
    Display* fDisplay;
    KeySym fSpareSym = NoSymbol; // this client's key lookups may not know the new mapping yet
    KeyCode fSpareCode = 0;
};

struct Recorded {
    std::vector<Skein::Widget::KeyboardEvent> keys;
    std::vector<Skein::Widget::CharacterInputEvent> texts;
    std::vector<Skein::Widget::MouseEvent> buttons;
    std::vector<Skein::Widget::MotionEvent> motions;
    std::vector<Skein::Widget::ScrollEvent> scrolls;
};

// Fills itself with one colour and records every event; returns `uses` from the handlers.
class RecordingWidget : public Skein::TopLevelWidget {
public:
    explicit RecordingWidget(Skein::Window& window) : TopLevelWidget(window) { }
    Recorded seen;
    unsigned paints = 0;
    float red = 1.0f, green = 0.0f, blue = 0.0f;

protected:
    void paint() override;
    bool handleKey(const KeyboardEvent& e) override;
    bool handleText(const CharacterInputEvent& e) override;
    bool handleButton(const MouseEvent& e) override;
    bool handlePointerMove(const MotionEvent& e) override;
    bool handleWheel(const ScrollEvent& e) override;
};

class RecordingSubWidget : public Skein::SubWidget {
public:
    explicit RecordingSubWidget(Skein::Widget* parent) : SubWidget(parent) { }
    Recorded seen;
    bool uses = true;
    float red = 0.0f, green = 1.0f, blue = 0.0f;

protected:
    void paint() override;
    bool handleButton(const MouseEvent& e) override;
    bool handleWheel(const ScrollEvent& e) override;
    bool handleKey(const KeyboardEvent& e) override;
};

// A shown free window with one recording widget, focused and with the pointer over it.
struct ShownWindow {
    explicit ShownWindow(Skein::Application& app, unsigned width = 300, unsigned height = 500);
    ~ShownWindow();
    Skein::Window window;
    RecordingWidget widget;
};

// Reads a P3 picture written by captureNextFrame; empty on failure. Pixels are RGB triples.
struct Picture {
    int width = 0, height = 0;
    std::vector<int> rgb;
    bool load(const std::string& fileName);
    const int* at(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
};

// Whether the pixel `rgb` is within `tolerance` of the colour 0xRRGGBB in each channel.
bool nearColour(const int* rgb, unsigned hex, int tolerance = 2);

std::string temporaryFileName(const char* stem);

} // namespace SkeinTest
