// The built vantorel program with its editor on the test's own X server, embedded in a window of
// the test's: the title is the JACK client's actual name, Control Change shows on the Baya Length
// knob as a user sees it (the window's pixels), and the server going away ends the program.
#include "ChildProgram.h"
#include "JackTestClient.h"
#include "JackTestServer.h"

#include <gtest/gtest.h>

// After GoogleTest, whose names Xlib's macros would replace.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>
#include <vector>

namespace {

using StandaloneTest::ChildProgram;
using StandaloneTest::JackTestClient;
using StandaloneTest::JackTestServer;

constexpr double kBound = 30.0; // seconds: only a hang takes this long

// Polls `done` until it holds or the bound passes.
bool waitFor(const std::function<bool()>& done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

Window onlyChild(Display* display, Window parent)
{
    Window root = 0, parentOfParent = 0, *children = nullptr;
    unsigned count = 0;
    Window child = 0;
    if (XQueryTree(display, parent, &root, &parentOfParent, &children, &count) && count == 1)
        child = children[0];
    if (children != nullptr)
        XFree(children);
    return child;
}

std::string windowName(Display* display, Window window)
{
    char* name = nullptr;
    if (!XFetchName(display, window, &name) || name == nullptr)
        return "";
    const std::string text = name;
    XFree(name);
    return text;
}

// The pixels of the Baya Length knob: the upper half of the right column.
std::vector<unsigned long> bayaLengthKnob(Display* display, Window window)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes))
        return {};
    const int left = attributes.width / 2, bottom = attributes.height / 2;
    XImage* image =
        XGetImage(display, window, left, 0, attributes.width - left, bottom, AllPlanes, ZPixmap);
    if (image == nullptr)
        return {};
    std::vector<unsigned long> pixels;
    for (int y = 0; y < image->height; ++y)
        for (int x = 0; x < image->width; ++x)
            pixels.push_back(XGetPixel(image, x, y));
    XDestroyImage(image);
    return pixels;
}

bool isDrawn(const std::vector<unsigned long>& pixels)
{
    for (unsigned long pixel : pixels)
        if (pixel != pixels.front())
            return true;
    return false;
}

TEST(EditorWindow, EmbeddedTitledByItsClientShowsControlChangeAndEndsWithTheServer)
{
    JackTestServer server;
    ASSERT_TRUE(server.running());
    // Takes the plug-in's name first, so the program's client gets another one.
    JackTestClient sender("Vantorel");
    ASSERT_TRUE(sender.activate());

    Display* const display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    const Window parent =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 400, 600, 0, 0, 0);
    XMapWindow(display, parent);
    XSync(display, False);

    ChildProgram program(
        VANTOREL_PROGRAM_PATH, {"embed", std::to_string(parent)}, std::getenv("DISPLAY"));
    Window editor = 0;
    ASSERT_TRUE(waitFor([&] { return (editor = onlyChild(display, parent)) != 0; }))
        << program.output();
    const std::string clientName = std::string(jack_get_client_name(sender.client())) + "-01";
    ASSERT_TRUE(waitFor([&] { return windowName(display, editor) == clientName; }))
        << windowName(display, editor);
    ASSERT_TRUE(waitFor([&] {
        return jack_port_by_name(sender.client(), (clientName + ":events-in").c_str()) != nullptr;
    }));
    ASSERT_TRUE(sender.connectMidiTo(clientName + ":events-in"));

    std::vector<unsigned long> atFour;
    ASSERT_TRUE(waitFor([&] { return isDrawn(atFour = bayaLengthKnob(display, editor)); }));
    ASSERT_TRUE(sender.sendBatch({{0, {0xB0, 0, 127}}}));
    EXPECT_TRUE(waitFor([&] { return bayaLengthKnob(display, editor) != atFour; }))
        << "Baya Length at 16 is not shown";
    // Back to 4, unless the second channel or another controller also acts.
    ASSERT_TRUE(sender.sendBatch({{0, {0xB0, 0, 0}}, {1, {0xB1, 0, 127}}, {2, {0xB0, 1, 127}}}));
    EXPECT_TRUE(waitFor([&] { return bayaLengthKnob(display, editor) == atFour; }))
        << "Baya Length does not show 4 again";

    // The server going away ends the editor's loop from JACK's thread.
    server.stop();
    EXPECT_EQ(program.waitForExit(kBound), 0) << program.output();
    EXPECT_NE(program.output().find("jack has shutdown, quitting now...\n"), std::string::npos)
        << program.output();
    EXPECT_EQ(program.output().find("running without the editor"), std::string::npos)
        << program.output();
    EXPECT_TRUE(waitFor([&] { return onlyChild(display, parent) == 0; }));
    XDestroyWindow(display, parent);
    XCloseDisplay(display);
}

} // namespace
