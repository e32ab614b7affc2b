// Windows on a real X server: embedding and size rules, drawing order seen in captured pixels,
// scale factors from the environment and from "Xft.dpi", and periodic idle callbacks.
#include <X11/Xatom.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ToolkitTestSupport.h"
#include "skein/IdleCallback.h"

using namespace SkeinTest;

namespace {

struct TickCounter : Skein::IdleCallback {
    unsigned ticks = 0;
    void onIdleTick() override { ++ticks; }
};

unsigned nativeWidth(Display* display, uintptr_t window)
{
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, window, &attributes);
    return static_cast<unsigned>(attributes.width);
}

TEST(Window, EmbeddedWindowLivesInTheHostWindowAndKeepsItsSizeRules)
{
    TestClient client;
    ASSERT_NE(client.display(), nullptr);
    Display* d = client.display();
    const ::Window host = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 800, 800, 0, 0, 0);
    XMapWindow(d, host);
    client.sync();
    {
        Skein::Application app(false);
        Skein::Window window(app, host, 242, 444, 1.0);
        EXPECT_TRUE(window.isEmbed());
        EXPECT_TRUE(window.isVisible());
        ASSERT_TRUE(window.realize());
        RecordingWidget widget(window);

        ::Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        XQueryTree(d, window.nativeWindowHandle(), &root, &parent, &children, &count);
        if (children != nullptr)
            XFree(children);
        EXPECT_EQ(parent, host);
        ASSERT_TRUE(pumpUntil(app, [&] { return widget.paints > 0; }));

        window.setSizeLimits(242, 444, true);
        window.setPixelSize(600, 600);
        EXPECT_EQ(window.pixelSize(), (Skein::Size<unsigned>{327, 600}));
        pumpUntil(app, [&] { return widget.pixelWidth() == 327; });
        EXPECT_EQ(widget.pixelSize(), (Skein::Size<unsigned>{327, 600}));
        EXPECT_EQ(nativeWidth(d, window.nativeWindowHandle()), 327u);

        window.setPixelSize(100, 100); // raised to the minimum
        EXPECT_EQ(window.pixelSize(), (Skein::Size<unsigned>{242, 444}));

        ::testing::internal::CaptureStderr();
        window.setPixelSize(1, 300);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "\x1b[31massertion failure: \"width > 1 && height > 1\" in file src/Window, line 261, "
            "v1 1, v2 300\x1b[0m\n");
        EXPECT_EQ(window.pixelSize(), (Skein::Size<unsigned>{242, 444}));

        window.closeWindow(); // embedded windows ignore it
        EXPECT_TRUE(window.isVisible());

        // A host may destroy its window first; the editor's later requests must not end the
        // process.
        XDestroyWindow(d, host);
        client.sync();
        window.setPixelSize(300, 600);
        app.pumpEvents(10);
    }
}

TEST(Window, AHostWindowThatDoesNotExistFailsRealisationWithoutEndingTheProcess)
{
    Skein::Application app(false);
    Skein::Window window(app, 0x3ffffff, 300, 300, 1.0);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(window.realize());
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
        "\x1b[31mFailed to realize Pugl view, everything will fail!\x1b[0m\n");
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.nativeWindowHandle(), 0u);
    app.pumpEvents(0);
}

TEST(Window, AutomaticScalingDrawsAndReportsInUnscaledUnits)
{
    Skein::Application app(false);
    TestClient client;
    Display* d = client.display();
    const ::Window host = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 900, 900, 0, 0, 0);
    XMapWindow(d, host);
    client.sync();
    {
        Skein::Window window(app, host, 242, 444, 2.0);
        ASSERT_TRUE(window.realize());
        RecordingWidget widget(window);
        RecordingSubWidget sub(&widget);
        sub.placeAt(10, 10);
        sub.setPixelSize(20, 20);
        window.setSizeLimits(242, 444, true, true, true);
        EXPECT_EQ(window.pixelSize(), (Skein::Size<unsigned>{484, 888}));
        window.setPixelSize(300, 300); // the minimum is scaled too
        EXPECT_EQ(window.pixelSize(), (Skein::Size<unsigned>{484, 888}));
        ASSERT_TRUE(
            pumpUntil(app, [&] { return widget.paints > 0 && widget.pixelWidth() == 484; }));

        const std::string file = temporaryFileName("scaled.ppm");
        window.captureNextFrame(file.c_str());
        const unsigned before = widget.paints;
        ASSERT_TRUE(pumpUntil(app, [&] { return widget.paints > before; }));
        Picture picture;
        ASSERT_TRUE(picture.load(file));
        std::remove(file.c_str());
        ASSERT_EQ(picture.width, 484);
        EXPECT_EQ(picture.at(21, 21)[1], 255); // the sub-widget, drawn twice as large
        EXPECT_EQ(picture.at(58, 58)[1], 255);
        EXPECT_EQ(picture.at(61, 61)[1], 0);
        EXPECT_EQ(picture.at(400, 800)[0], 255); // the top-level widget fills the whole window

        client.movePointerTo(window.nativeWindowHandle(), 100, 200);
        client.clickButton(1);
        ASSERT_TRUE(pumpUntil(app, [&] { return widget.seen.buttons.size() >= 2; }));
        EXPECT_EQ(widget.seen.buttons[0].pos.x, 50.0);
        EXPECT_EQ(widget.seen.buttons[0].pos.y, 100.0);
        EXPECT_EQ(widget.seen.buttons[0].absolutePos.y, 100.0);
    }
    XDestroyWindow(d, host);
}

TEST(Window, DrawsTopLevelThenSubWidgetsClippedToTheirArea)
{
    Skein::Application app(true);
    ShownWindow shown(app, 200, 100);
    RecordingSubWidget sub(&shown.widget), skipped(&shown.widget);
    sub.placeAt(50, 20);
    sub.setPixelSize(30, 10);
    skipped.placeAt(0, 0);
    skipped.setPixelSize(10, 10);
    skipped.setSkipDrawing();

    const std::string file = temporaryFileName("frame.ppm");
    shown.window.captureNextFrame(file.c_str());
    const unsigned before = shown.widget.paints;
    ASSERT_TRUE(pumpUntil(app, [&] { return shown.widget.paints > before; }));
    Picture picture;
    ASSERT_TRUE(picture.load(file));
    std::remove(file.c_str());
    ASSERT_EQ(picture.width, 200);
    ASSERT_EQ(picture.height, 100);
    const auto expectColour = [&](int x, int y, int r, int g, int b) {
        const int* p = picture.at(x, y);
        EXPECT_EQ(p[0], r) << x << "," << y;
        EXPECT_EQ(p[1], g) << x << "," << y;
        EXPECT_EQ(p[2], b) << x << "," << y;
    };
    expectColour(5, 5, 255, 0, 0); // skipped sub-widget: top-level red shows
    expectColour(50, 20, 0, 255, 0); // sub-widget's top-left pixel
    expectColour(79, 29, 0, 255, 0); // and its bottom-right one
    expectColour(80, 29, 255, 0, 0); // clipped right of it
    expectColour(50, 30, 255, 0, 0); // and below it
    expectColour(199, 99, 255, 0, 0);

    // A picture that cannot be written is reported; drawing goes on.
    shown.window.captureNextFrame("/nonexistent-folder/frame.ppm");
    const unsigned paintsBefore = shown.widget.paints;
    ::testing::internal::CaptureStderr();
    ASSERT_TRUE(pumpUntil(app, [&] { return shown.widget.paints > paintsBefore; }));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
        "\x1b[31massertion failure: \"f != nullptr\" in file src/OpenGL, line 785\x1b[0m\n");
}

TEST(Window, ScaleFactorComesFromTheHostTheEnvironmentOrXftDpi)
{
    TestClient client;
    Display* d = client.display();
    const auto setDpi = [&](const char* resources) {
        XChangeProperty(d, DefaultRootWindow(d), XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
            reinterpret_cast<const unsigned char*>(resources),
            static_cast<int>(std::strlen(resources)));
        client.sync();
    };
    unsetenv("ZEF_SCALE_FACTOR");
    setDpi("Xft.dpi:\t144\n");
    {
        Skein::Application app(false);
        EXPECT_DOUBLE_EQ(app.scaleFactor(), 1.5);
        Skein::Window window(app);
        EXPECT_DOUBLE_EQ(window.scaleFactor(), 1.5);
        setenv("ZEF_SCALE_FACTOR", "2", 1);
        Skein::Window fromEnvironment(app);
        EXPECT_DOUBLE_EQ(fromEnvironment.scaleFactor(), 2.0);
        Skein::Window fromHost(app, 0, 0, 0, 1.25);
        EXPECT_DOUBLE_EQ(fromHost.scaleFactor(), 1.25);
        setenv("ZEF_SCALE_FACTOR", "0.5", 1);
        Skein::Window belowOne(app);
        EXPECT_DOUBLE_EQ(belowOne.scaleFactor(), 1.0);
        unsetenv("ZEF_SCALE_FACTOR");
    }
    for (const char* unusable : {"Xft.dpi:\t0\n", "Xft.dpi:\tlarge\n", "Xft.dpi:\t-96\n", ""}) {
        setDpi(unusable);
        Skein::Application app(false);
        EXPECT_DOUBLE_EQ(app.scaleFactor(), 1.0) << unusable;
    }
    XDeleteProperty(d, DefaultRootWindow(d), XA_RESOURCE_MANAGER);
    client.sync();
}

TEST(Window, PeriodicIdleCallbackFiresAtItsPeriod)
{
    Skein::Application app(true);
    ShownWindow shown(app);
    TickCounter counter;
    ASSERT_TRUE(shown.window.registerIdleTask(&counter, 16));
    const double start = app.elapsedSeconds();
    while (app.elapsedSeconds() - start < 1.0)
        app.pumpEvents(5);
    // About 62 expected; a loose band since the machine may be busy.
    EXPECT_GE(counter.ticks, 30u);
    EXPECT_LE(counter.ticks, 90u);
    EXPECT_TRUE(shown.window.unregisterIdleTask(&counter));
    const unsigned after = counter.ticks;
    for (int i = 0; i < 10; ++i)
        app.pumpEvents(10);
    EXPECT_EQ(counter.ticks, after);

    // Period 0 joins the application's idle list: once per pump.
    TickCounter everyPump;
    ASSERT_TRUE(shown.window.registerIdleTask(&everyPump, 0));
    for (int i = 0; i < 3; ++i)
        app.pumpEvents(0);
    EXPECT_EQ(everyPump.ticks, 3u);
    EXPECT_TRUE(shown.window.unregisterIdleTask(&everyPump));

    shown.window.setIgnoreIdleCallbacks(true);
    EXPECT_FALSE(shown.window.registerIdleTask(&counter, 16));
}

} // namespace
