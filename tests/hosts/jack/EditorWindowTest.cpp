// The built vantorel program with its editor on the test's own X server, embedded in a window of
// the test's: the title is the JACK client's actual name, Control Change shows on the Baya Length
// knob and the lit step follows the JACK transport as a user sees them (the window's pixels), and
// the server going away ends the program.
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
using StandaloneTest::waitUntil;

constexpr double kBound = 30.0; // seconds: only a hang takes this long

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
    ASSERT_TRUE(waitUntil([&] { return (editor = onlyChild(display, parent)) != 0; }))
        << program.output();
    const std::string clientName = std::string(jack_get_client_name(sender.client())) + "-01";
    ASSERT_TRUE(waitUntil([&] { return windowName(display, editor) == clientName; }))
        << windowName(display, editor);
    ASSERT_TRUE(waitUntil([&] {
        return jack_port_by_name(sender.client(), (clientName + ":events-in").c_str()) != nullptr;
    }));
    ASSERT_TRUE(sender.connectMidiTo(clientName + ":events-in"));

    std::vector<unsigned long> atFour;
    ASSERT_TRUE(waitUntil([&] { return isDrawn(atFour = bayaLengthKnob(display, editor)); }));
    ASSERT_TRUE(sender.sendBatch({{0, {0xB0, 25, 127}}}));
    EXPECT_TRUE(waitUntil([&] { return bayaLengthKnob(display, editor) != atFour; }))
        << "Baya Length at 16 is not shown";
    // Back to 4, unless the second channel or Bank Select also acts.
    ASSERT_TRUE(sender.sendBatch({{0, {0xB0, 25, 0}}, {1, {0xB1, 25, 127}}, {2, {0xB0, 0, 127}}}));
    EXPECT_TRUE(waitUntil([&] { return bayaLengthKnob(display, editor) == atFour; }))
        << "Baya Length does not show 4 again";

    // The server going away ends the editor's loop from JACK's thread.
    server.stop();
    EXPECT_EQ(program.waitForExit(kBound), 0) << program.output();
    EXPECT_NE(program.output().find("jack has shutdown, quitting now...\n"), std::string::npos)
        << program.output();
    EXPECT_EQ(program.output().find("running without the editor"), std::string::npos)
        << program.output();
    EXPECT_TRUE(waitUntil([&] { return onlyChild(display, parent) == 0; }));
    XDestroyWindow(display, parent);
    XCloseDisplay(display);
}

// The mean x of the pixels of a lit Dayan step cell (its hovered knob colour) in the lower part of
// the window, where the step strips are; -1 for none.
int litDayanCell(Display* display, Window window)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes))
        return -1;
    const int top = attributes.height * 4 / 5;
    XImage* image = XGetImage(
        display, window, 0, top, attributes.width, attributes.height - top, AllPlanes, ZPixmap);
    if (image == nullptr)
        return -1;
    long sum = 0, n = 0;
    for (int y = 0; y < image->height; ++y)
        for (int x = 0; x < image->width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            const int r = pixel >> 16 & 0xFF, g = pixel >> 8 & 0xFF, b = pixel & 0xFF;
            if (std::abs(r - 0xAB) <= 3 && std::abs(g - 0x7F) <= 3 && std::abs(b - 0x6C) <= 3) {
                sum += x;
                ++n;
            }
        }
    XDestroyImage(image);
    return n > 20 ? static_cast<int>(sum / n) : -1;
}

TEST(EditorWindow, TheLitStepFollowsTheJackTransportAndStaysWhenItStops)
{
    JackTestServer server;
    ASSERT_TRUE(server.running());
    Display* const display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    const Window parent =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 400, 1200, 0, 0, 0);
    XMapWindow(display, parent);
    XSync(display, False);
    ChildProgram program(VANTOREL_PROGRAM_PATH,
        {"--dayan-tempo",
            "\xC3\x97"
            "2",
            "embed", std::to_string(parent)},
        std::getenv("DISPLAY"));
    Window editor = 0;
    ASSERT_TRUE(waitUntil([&] { return (editor = onlyChild(display, parent)) != 0; }))
        << program.output();
    // Its pixels can be read once it is mapped.
    ASSERT_TRUE(waitUntil([&] {
        XWindowAttributes attributes;
        return XGetWindowAttributes(display, editor, &attributes) &&
            attributes.map_state == IsViewable;
    }));
    ASSERT_TRUE(waitUntil([&] { return isDrawn(bayaLengthKnob(display, editor)); }));
    EXPECT_EQ(litDayanCell(display, editor), -1) << "nothing played yet";

    JackTestClient transport("transport");
    transport.becomeTimebaseMaster(120.0);
    ASSERT_TRUE(transport.activate());
    jack_transport_locate(transport.client(), 0);
    jack_transport_start(transport.client());
    // Four steps of the Dayan (two per second) light its four cells from left to right.
    std::vector<int> cells;
    ASSERT_TRUE(waitUntil([&] {
        const int x = litDayanCell(display, editor);
        if (x >= 0 && (cells.empty() || std::abs(cells.back() - x) > 4))
            cells.push_back(x);
        return cells.size() >= 4;
    })) << cells.size();
    jack_transport_stop(transport.client());
    for (size_t i = 1; i < 4; ++i)
        EXPECT_GT(cells[i], cells[i - 1]) << i;
    // A second of the server's time after the stop, and another.
    auto aSecondLater = [&] {
        const jack_nframes_t from = jack_frame_time(transport.client());
        return waitUntil([&] { return jack_frame_time(transport.client()) - from > 48000; });
    };
    ASSERT_TRUE(aSecondLater());
    const int stopped = litDayanCell(display, editor);
    ASSERT_TRUE(aSecondLater());
    EXPECT_GE(stopped, 0);
    EXPECT_EQ(litDayanCell(display, editor), stopped) << "the last lit cell stays";

    server.stop();
    EXPECT_EQ(program.waitForExit(kBound), 0) << program.output();
    XDestroyWindow(display, parent);
    XCloseDisplay(display);
}

} // namespace
