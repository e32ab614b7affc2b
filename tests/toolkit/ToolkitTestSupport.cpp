// Test client with XTEST input, recording widgets and picture reading for the toolkit tests.
#include "ToolkitTestSupport.h"

#include <GL/gl.h>
#include <X11/extensions/XTest.h>
#include <unistd.h>

#include <fstream>

namespace SkeinTest {

TestClient::TestClient() : fDisplay(XOpenDisplay(nullptr))
{
}

TestClient::~TestClient()
{
    if (fDisplay != nullptr)
        XCloseDisplay(fDisplay);
}

void TestClient::key(KeySym sym, bool press)
{
    const KeyCode code = sym == fSpareSym ? fSpareCode : XKeysymToKeycode(fDisplay, sym);
    XTestFakeKeyEvent(fDisplay, code, press ? True : False, CurrentTime);
    XFlush(fDisplay);
}

void TestClient::tapKey(KeySym sym)
{
    key(sym, true);
    key(sym, false);
}

void TestClient::button(unsigned button, bool press)
{
    XTestFakeButtonEvent(fDisplay, button, press ? True : False, CurrentTime);
    XFlush(fDisplay);
}

void TestClient::clickButton(unsigned number)
{
    button(number, true);
    button(number, false);
}

void TestClient::movePointerTo(uintptr_t window, int x, int y)
{
    int rootX = 0, rootY = 0;
    ::Window child = 0;
    XTranslateCoordinates(
        fDisplay, window, DefaultRootWindow(fDisplay), x, y, &rootX, &rootY, &child);
    XTestFakeMotionEvent(fDisplay, DefaultScreen(fDisplay), rootX, rootY, CurrentTime);
    XSync(fDisplay, False);
}

void TestClient::focus(uintptr_t window)
{
    XSetInputFocus(fDisplay, window, RevertToParent, CurrentTime);
    XSync(fDisplay, False);
}

void TestClient::sync()
{
    XSync(fDisplay, False);
}

KeyCode TestClient::mapSpareKey(KeySym sym)
{
    int minCode = 0, maxCode = 0, perCode = 0;
    XDisplayKeycodes(fDisplay, &minCode, &maxCode);
    KeySym* map = XGetKeyboardMapping(
        fDisplay, static_cast<KeyCode>(minCode), maxCode - minCode + 1, &perCode);
    KeyCode spare = 0;
    for (int code = maxCode; code >= minCode && spare == 0; --code) {
        bool empty = true;
        for (int i = 0; i < perCode; ++i)
            empty = empty && map[(code - minCode) * perCode + i] == NoSymbol;
        if (empty)
            spare = static_cast<KeyCode>(code);
    }
    XFree(map);
    if (spare != 0) {
        KeySym syms[2] = {sym, sym};
        XChangeKeyboardMapping(fDisplay, spare, 2, syms, 1);
        XSync(fDisplay, False);
        fSpareSym = sym;
        fSpareCode = spare;
    }
    return spare;
}

void RecordingWidget::paint()
{
    ++paints;
    glColor4f(red, green, blue, 1.0f);
    glRectd(0, 0, pixelWidth(), pixelHeight());
}

bool RecordingWidget::handleKey(const KeyboardEvent& e)
{
    if (TopLevelWidget::handleKey(e))
        return true;
    seen.keys.push_back(e);
    return true;
}

bool RecordingWidget::handleText(const CharacterInputEvent& e)
{
    seen.texts.push_back(e);
    return true;
}

bool RecordingWidget::handleButton(const MouseEvent& e)
{
    if (TopLevelWidget::handleButton(e))
        return true;
    seen.buttons.push_back(e);
    return true;
}

bool RecordingWidget::handlePointerMove(const MotionEvent& e)
{
    if (TopLevelWidget::handlePointerMove(e))
        return true;
    seen.motions.push_back(e);
    return true;
}

bool RecordingWidget::handleWheel(const ScrollEvent& e)
{
    if (TopLevelWidget::handleWheel(e))
        return true;
    seen.scrolls.push_back(e);
    return true;
}

void RecordingSubWidget::paint()
{
    glColor4f(red, green, blue, 1.0f);
    glRectd(0, 0, pixelWidth(), pixelHeight());
}

bool RecordingSubWidget::handleButton(const MouseEvent& e)
{
    if (!absoluteArea().hitTest(e.absolutePos))
        return false;
    seen.buttons.push_back(e);
    return uses;
}

bool RecordingSubWidget::handleWheel(const ScrollEvent& e)
{
    if (!absoluteArea().hitTest(e.absolutePos))
        return false;
    seen.scrolls.push_back(e);
    return uses;
}

bool RecordingSubWidget::handleKey(const KeyboardEvent& e)
{
    seen.keys.push_back(e);
    return false;
}

ShownWindow::ShownWindow(Skein::Application& app, unsigned width, unsigned height)
    : window(app, 0, width, height, 1.0), widget(window)
{
    window.makeVisible();
    pumpUntil(app, [this] { return widget.paints > 0; });
}

ShownWindow::~ShownWindow()
{
    window.closeWindow();
}

bool nearColour(const int* rgb, unsigned hex, int tolerance)
{
    const int expected[3] = {static_cast<int>(hex >> 16 & 0xFF), static_cast<int>(hex >> 8 & 0xFF),
        static_cast<int>(hex & 0xFF)};
    for (int c = 0; c < 3; ++c)
        if (std::abs(rgb[c] - expected[c]) > tolerance)
            return false;
    return true;
}

bool Picture::load(const std::string& fileName)
{
    std::ifstream in(fileName);
    std::string magic;
    int maxValue = 0;
    if (!(in >> magic >> width >> height >> maxValue) || magic != "P3" || width <= 0 || height <= 0)
        return false;
    rgb.resize(static_cast<size_t>(width) * height * 3);
    for (int& value : rgb)
        if (!(in >> value))
            return false;
    return true;
}

std::string temporaryFileName(const char* stem)
{
    return "/tmp/skein-test-" + std::to_string(getpid()) + "-" + stem;
}

} // namespace SkeinTest
