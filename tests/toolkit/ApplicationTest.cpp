// The application's life on a real X server: quitting from another thread, closing windows from
// the window manager's side, and the shown-window count.
#include <gtest/gtest.h>

#include <thread>

#include "ToolkitTestSupport.h"

using namespace SkeinTest;

namespace {

void sendDeleteWindow(TestClient& client, uintptr_t window)
{
    Display* d = client.display();
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    XSendEvent(d, window, False, NoEventMask, &event);
    client.sync();
}

class RefusingWindow : public Skein::Window {
public:
    explicit RefusingWindow(Skein::Application& app) : Window(app, 0, 200, 200, 1.0) { }
    bool refuse = true;
    unsigned asked = 0;

protected:
    bool onClose() override
    {
        ++asked;
        return !refuse;
    }
};

TEST(Application, QuitFromAnotherThreadWaitsForTheNextPump)
{
    Skein::Application app(true);
    ShownWindow first(app), second(app);
    std::thread([&app] {
        app.requestQuit();
        app.requestQuit(); // a second request still leaves the windows to the main thread
    }).join();
    EXPECT_TRUE(app.isQuitting());
    EXPECT_TRUE(first.window.isVisible());
    EXPECT_TRUE(second.window.isVisible());
    app.pumpEvents(0);
    EXPECT_FALSE(first.window.isVisible());
    EXPECT_FALSE(second.window.isVisible());
    EXPECT_TRUE(app.isQuitting());
}

TEST(Application, ClosingTheOnlyWindowQuitsAndShowingAgainResumes)
{
    Skein::Application app(true);
    TestClient client;
    ShownWindow shown(app);
    EXPECT_FALSE(app.isQuitting());
    sendDeleteWindow(client, shown.window.nativeWindowHandle());
    ASSERT_TRUE(pumpUntil(app, [&] { return app.isQuitting(); }));
    EXPECT_FALSE(shown.window.isVisible());
    shown.window.makeVisible();
    EXPECT_FALSE(app.isQuitting());
    shown.window.closeWindow();
    EXPECT_TRUE(app.isQuitting());
    shown.window.makeVisible();

    // runLoop ends once the last window is closed.
    sendDeleteWindow(client, shown.window.nativeWindowHandle());
    app.runLoop(10);
    EXPECT_TRUE(app.isQuitting());
}

TEST(Application, AStandaloneWindowStaysOpenWhenItsCloseHandlerRefuses)
{
    Skein::Application app(true);
    TestClient client;
    RefusingWindow window(app);
    RecordingWidget widget(window);
    window.makeVisible();
    ASSERT_TRUE(pumpUntil(app, [&] { return widget.paints > 0; }));
    sendDeleteWindow(client, window.nativeWindowHandle());
    ASSERT_TRUE(pumpUntil(app, [&] { return window.asked > 0; }));
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(app.isQuitting());
    window.refuse = false;
    sendDeleteWindow(client, window.nativeWindowHandle());
    ASSERT_TRUE(pumpUntil(app, [&] { return app.isQuitting(); }));
    EXPECT_FALSE(window.isVisible());
}

TEST(Application, DestroyingAShownWindowCountsItAsClosed)
{
    auto* app = new Skein::Application(true);
    {
        Skein::Window window(*app, 0, 100, 100, 1.0);
        window.makeVisible();
        EXPECT_FALSE(app->isQuitting());
    }
    EXPECT_TRUE(app->isQuitting());
    ::testing::internal::CaptureStderr();
    delete app;
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), ""); // no count left behind
}

TEST(Application, PumpWithoutTimeoutDispatchesQueuedEvents)
{
    Skein::Application app(true);
    TestClient client;
    ShownWindow shown(app);
    client.movePointerTo(shown.window.nativeWindowHandle(), 7, 8);
    // The motion is queued on the server already; pumps of 0 ms only dispatch it.
    for (int i = 0; i < 1000 && shown.widget.seen.motions.empty(); ++i)
        app.pumpEvents(0);
    ASSERT_FALSE(shown.widget.seen.motions.empty());
    EXPECT_EQ(shown.widget.seen.motions.back().pos.x, 7.0);
}

} // namespace
