// The program under a session manager: the tests' own session server (the protocol over UDP on
// the loopback interface) announces, opens, saves, shows and hides a real vantorel process,
// whose MIDI input a real sender client drives and whose window lives on the test's X server.
#include "ChildProgram.h"
#include "ExpectedState.h"
#include "JackTestClient.h"
#include "JackTestServer.h"
#include "SessionServer.h"
#include "StateFile.h"

#include <gtest/gtest.h>
#include <signal.h>

// After GoogleTest, whose names Xlib's macros would replace.
#include <X11/Xlib.h>

#include <cstdlib>

namespace {

using StandaloneTest::ChildProgram;
using StandaloneTest::fileBytes;
using StandaloneTest::JackTestClient;
using StandaloneTest::JackTestServer;
using StandaloneTest::OscMessage;
using StandaloneTest::SessionServer;
using StandaloneTest::stateWith;
using StandaloneTest::waitUntil;

constexpr double kBound = 30.0; // seconds: only a hang takes this long

void writeFile(const std::string& path, const std::string& bytes)
{
    std::string error;
    ASSERT_TRUE(Orvane::writeStateFile(path, bytes, error)) << error;
}

// Whether a top-level window titled `title` is mapped on the test's display.
bool windowShown(const std::string& title)
{
    Display* const display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return false;
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    bool shown = false;
    XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
    for (unsigned i = 0; i < count; ++i) {
        char* name = nullptr;
        XWindowAttributes attributes;
        if (XFetchName(display, children[i], &name) && name != nullptr) {
            shown = shown ||
                (title == name && XGetWindowAttributes(display, children[i], &attributes) &&
                    attributes.map_state == IsViewable);
            XFree(name);
        }
    }
    if (children != nullptr)
        XFree(children);
    XCloseDisplay(display);
    return shown;
}

::testing::AssertionResult is(const OscMessage& message, const std::string& path,
    const std::vector<std::string>& arguments = {})
{
    if (message.path != path)
        return ::testing::AssertionFailure() << "got '" << message.path << "'";
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (i >= message.arguments.size() || message.arguments[i] != arguments[i])
            return ::testing::AssertionFailure() << path << ": argument " << i << " differs";
    }
    return ::testing::AssertionSuccess();
}

TEST(Session, AnnounceOpenSaveDirtyShowHideAndQuit)
{
    // The X server this test executable starts for all its tests.
    const char* const display = std::getenv("DISPLAY");
    ASSERT_NE(display, nullptr);
    JackTestServer jack;
    ASSERT_TRUE(jack.running());
    SessionServer session;
    ASSERT_TRUE(session.ok());
    char pattern[] = "/tmp/vantorel-session-XXXXXX";
    const std::string folder = mkdtemp(pattern);
    const std::string project = folder + "/vantorel.nTEST";
    writeFile(project + ".state", stateWith({{4, 17.0f}}));

    setenv("NSM_URL", session.url().c_str(), 1);
    ChildProgram program(VANTOREL_PROGRAM_PATH, {}, display);
    unsetenv("NSM_URL");

    EXPECT_TRUE(is(session.next(), "/nsm/server/announce",
        {"Vantorel", ":dirty:optional-gui:", "vantorel", "1", "1"}))
        << program.output();
    session.send("/nsm/client/open", {project, "Vantorel", "vantorel.nTEST"});
    EXPECT_TRUE(is(session.next(), "/reply", {"/nsm/client/open"})) << program.output();
    EXPECT_TRUE(is(session.next(), "/nsm/client/gui_is_hidden"));

    // The JACK client has the session's name; its state came from the session's file.
    JackTestClient sender("sender");
    ASSERT_TRUE(sender.activate());
    ASSERT_TRUE(sender.connectMidiTo("vantorel.nTEST:events-in"));
    session.send("/nsm/client/save");
    EXPECT_TRUE(is(session.next(), "/reply", {"/nsm/client/save"}));
    EXPECT_EQ(fileBytes(project + ".state"), stateWith({{4, 17.0f}}));

    // Dirty after a change, clean after a save, dirty again after the next change.
    ASSERT_TRUE(sender.sendBatch({{0, {0xB0, 21, 127}}})); // Dayan Length 16
    EXPECT_TRUE(is(session.next(), "/nsm/client/is_dirty"));
    session.send("/nsm/client/save");
    EXPECT_TRUE(is(session.next(), "/reply", {"/nsm/client/save"}));
    EXPECT_EQ(fileBytes(project + ".state"), stateWith({{4, 17.0f}, {3, 16.0f}}));
    ASSERT_TRUE(sender.sendBatch({{0, {0xB0, 21, 0}}}));
    EXPECT_TRUE(is(session.next(), "/nsm/client/is_dirty"));

    session.send("/nsm/client/show_optional_gui");
    EXPECT_TRUE(is(session.next(), "/nsm/client/gui_is_shown"));
    EXPECT_TRUE(waitUntil([] { return windowShown("vantorel.nTEST"); }));
    session.send("/nsm/client/hide_optional_gui");
    EXPECT_TRUE(is(session.next(), "/nsm/client/gui_is_hidden"));
    EXPECT_TRUE(waitUntil([] { return !windowShown("vantorel.nTEST"); }));

    // Another session needs another process.
    session.send("/nsm/client/open", {folder + "/other", "Vantorel", "vantorel.nOTHER"});
    EXPECT_TRUE(is(session.next(), "/error", {"/nsm/client/open", "-1"}));

    // Ended without being asked to save: the change since the last save is dropped.
    program.signal(SIGTERM);
    EXPECT_EQ(program.waitForExit(kBound), 0) << program.output();
    EXPECT_EQ(fileBytes(project + ".state"), stateWith({{4, 17.0f}, {3, 16.0f}}));
    std::system(("rm -rf '" + folder + "'").c_str());
}

} // namespace
