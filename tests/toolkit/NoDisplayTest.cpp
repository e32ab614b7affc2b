// Behaviour without a usable display (none set, or a server that is not there), the soft
// assertion lines, and widget logic that needs no server.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "skein/Application.h"
#include "skein/IdleCallback.h"
#include "skein/TopLevelWidget.h"
#include "skein/Window.h"

namespace {

std::string assertion(const char* expression, const char* file, int line)
{
    return "\x1b[31massertion failure: \"" + std::string(expression) + "\" in file " + file +
        ", line " + std::to_string(line) + "\x1b[0m\n";
}

struct QuitAfter : Skein::IdleCallback {
    QuitAfter(Skein::Application& app_, unsigned n) : app(app_), remaining(n) { }
    void onIdleTick() override
    {
        ++ticks;
        if (--remaining == 0)
            app.requestQuit();
    }
    Skein::Application& app;
    unsigned remaining;
    unsigned ticks = 0;
};

class ResizeCounter : public Skein::TopLevelWidget {
public:
    using TopLevelWidget::TopLevelWidget;
    unsigned resizes = 0;
    ResizeEvent last{};

protected:
    void paint() override { }
    void handleResize(const ResizeEvent& event) override
    {
        ++resizes;
        last = event;
    }
};

class NoDisplay : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        if (GetParam() == nullptr)
            unsetenv("DISPLAY");
        else
            setenv("DISPLAY", GetParam(), 1);
    }
};

TEST_P(NoDisplay, PumpWaitsForItsTimeoutSoLoopsKeepTheirPeriod)
{
    ::testing::internal::CaptureStderr();
    Skein::Application app(true);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
        assertion("world != nullptr", "src/ApplicationPrivateData", 67));
    EXPECT_EQ(app.elapsedSeconds(), 0.0);
    EXPECT_EQ(app.scaleFactor(), 1.0);

    QuitAfter quit(app, 5);
    app.registerIdleTask(&quit);
    const auto start = std::chrono::steady_clock::now();
    app.runLoop(20);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(quit.ticks, 5u);
    EXPECT_TRUE(app.isQuitting());
    // Five pumps of 20 ms cannot end sooner than 100 ms once each one waits.
    EXPECT_GE(elapsed, std::chrono::milliseconds(100));
}

TEST_P(NoDisplay, WindowOperationsReportAndReturnNeutralValues)
{
    ::testing::internal::CaptureStderr();
    Skein::Application app(false);
    Skein::Window window(app, 0, 300, 200);
    const std::string created = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(created.find("\x1b[31mFailed to create Pugl view, everything will fail!\x1b[0m\n"),
        std::string::npos);

    ::testing::internal::CaptureStderr();
    EXPECT_EQ(window.pixelWidth(), 0u);
    EXPECT_EQ(window.pixelHeight(), 0u);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
        assertion("pData->view != nullptr", "src/Window", 222) +
            assertion("pData->view != nullptr", "src/Window", 231));

    ResizeCounter widget(window);
    QuitAfter callback(app, 1);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(window.realize());
    window.makeVisible();
    window.setPixelSize(300, 300);
    window.setSizeLimits(100, 100, true, true, true);
    window.setCaption("nothing");
    window.requestRedraw();
    EXPECT_FALSE(window.enterContext());
    EXPECT_FALSE(window.registerIdleTask(&callback, 16));
    EXPECT_FALSE(window.unregisterIdleTask(&callback));
    EXPECT_FALSE(window.offerClipboard(nullptr, "x", 1));
    size_t size = 7;
    EXPECT_EQ(window.fetchClipboard(size), nullptr);
    EXPECT_EQ(size, 0u);
    EXPECT_TRUE(window.clipboardTypes().empty());
    EXPECT_EQ(window.nativeWindowHandle(), 0u);
    EXPECT_FALSE(window.isVisible());
    ::testing::internal::GetCapturedStderr();
    app.pumpEvents(0);
}

INSTANTIATE_TEST_SUITE_P(UnsetOrRefused, NoDisplay, ::testing::Values(nullptr, ":9999"));

TEST(SoftAssertions, RefusedArgumentsPrintTheirLine)
{
    unsetenv("DISPLAY");
    ::testing::internal::CaptureStderr();
    Skein::Application plugin(false);
    Skein::Window window(plugin);
    ::testing::internal::GetCapturedStderr();

    ::testing::internal::CaptureStderr();
    plugin.setWindowClass("");
    plugin.setWindowClass(nullptr);
    plugin.runLoop(10);
    plugin.registerIdleTask(nullptr);
    window.setSizeLimits(0, 10);
    window.setSizeLimits(10, 0);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
        assertion("name != nullptr && name[0] != '\\0'", "src/Application", 168) +
            assertion("name != nullptr && name[0] != '\\0'", "src/Application", 168) +
            assertion("pData->isStandalone", "src/Application", 51) +
            assertion("callback != nullptr", "src/Application", 93) +
            assertion("minimumWidth > 0", "src/Window", 460) +
            assertion("minimumHeight > 0", "src/Window", 461));
    bool keep = true;
    EXPECT_EQ(window.sizeLimits(keep), (Skein::Size<unsigned>{0, 0}));
    EXPECT_FALSE(keep);
}

TEST(Widgets, ResizeIsReportedOnlyForARealChange)
{
    unsetenv("DISPLAY");
    ::testing::internal::CaptureStderr();
    Skein::Application app(false);
    Skein::Window window(app);
    ResizeCounter widget(window);
    ::testing::internal::GetCapturedStderr();
    widget.Widget::setPixelSize(40, 30);
    EXPECT_EQ(widget.resizes, 1u);
    EXPECT_EQ(widget.last.oldSize, (Skein::Size<unsigned>{0, 0}));
    EXPECT_EQ(widget.last.size, (Skein::Size<unsigned>{40, 30}));
    widget.Widget::setPixelSize(40, 30);
    EXPECT_EQ(widget.resizes, 1u);
    EXPECT_TRUE(widget.isShown());
    widget.makeHidden();
    EXPECT_FALSE(widget.isShown());
    EXPECT_EQ(widget.hostWindow(), &window);
}

} // namespace
