// Demonstration of the toolkit: a free window drawn with OpenGL that prints the events it
// receives. "--seconds N" quits after N seconds and reports the time to the first frame and the
// process CPU time of a shown window whose 16 ms idle callback only counts (the idle cost).
// Main thread only.
#include <GL/gl.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "skein/Application.h"
#include "skein/IdleCallback.h"
#include "skein/SubWidget.h"
#include "skein/TopLevelWidget.h"
#include "skein/Window.h"

namespace {

void fillRect(double x, double y, double w, double h)
{
    glBegin(GL_QUADS);
    glVertex2d(x, y);
    glVertex2d(x + w, y);
    glVertex2d(x + w, y + h);
    glVertex2d(x, y + h);
    glEnd();
}

class Square : public Skein::SubWidget {
public:
    explicit Square(Skein::Widget* parent) : SubWidget(parent) { }

protected:
    void paint() override
    {
        glColor4f(pressed ? 1.0f : 0.2f, 0.8f, 0.3f, 1.0f);
        fillRect(0, 0, pixelWidth(), pixelHeight());
    }
    bool handleButton(const MouseEvent& e) override
    {
        if (e.pos.x < 0 || e.pos.y < 0 || e.pos.x >= pixelWidth() || e.pos.y >= pixelHeight())
            return false;
        std::printf("square: button %u %s at (%.0f, %.0f)\n", e.button, e.press ? "down" : "up",
            e.pos.x, e.pos.y);
        pressed = e.press;
        requestRedraw();
        return true;
    }

private:
    bool pressed = false;
};

class DemoWidget : public Skein::TopLevelWidget, public Skein::IdleCallback {
public:
    explicit DemoWidget(Skein::Window& window) : TopLevelWidget(window), square(this)
    {
        square.setPixelSize(80, 80);
        square.placeAt(40, 40);
    }
    double firstFrameTime = -1.0;
    bool animate = true;
    unsigned ticks = 0;

    void onIdleTick() override
    {
        ++ticks;
        if (animate)
            requestRedraw();
    }

protected:
    void paint() override
    {
        if (firstFrameTime < 0.0)
            firstFrameTime = application().elapsedSeconds();
        glColor4f(0.1f, 0.1f, 0.3f, 1.0f);
        fillRect(0, 0, pixelWidth(), pixelHeight());
        glColor4f(0.9f, 0.6f, 0.1f, 1.0f);
        fillRect(static_cast<double>(ticks % pixelWidth()), pixelHeight() - 20.0, 20, 20);
    }
    bool handleKey(const KeyboardEvent& e) override
    {
        std::printf("key %s: key 0x%x keycode %u mod 0x%x\n", e.press ? "press" : "release", e.key,
            e.keycode, e.mod);
        return true;
    }
    bool handleText(const CharacterInputEvent& e) override
    {
        std::printf("text: U+%04X \"%s\"\n", e.character, e.string);
        return true;
    }
    bool handleButton(const MouseEvent& e) override
    {
        if (TopLevelWidget::handleButton(e))
            return true;
        std::printf(
            "button %u %s at (%.0f, %.0f)\n", e.button, e.press ? "down" : "up", e.pos.x, e.pos.y);
        return true;
    }
    bool handlePointerMove(const MotionEvent& e) override
    {
        std::printf("motion (%.0f, %.0f)\n", e.pos.x, e.pos.y);
        return false;
    }
    bool handleWheel(const ScrollEvent& e) override
    {
        std::printf("scroll direction %u delta (%.0f, %.0f)\n", e.direction, e.delta.x, e.delta.y);
        return true;
    }
    void handleResize(const ResizeEvent& e) override
    {
        std::printf("resize %ux%u\n", e.size.width, e.size.height);
    }

private:
    Square square;
};

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
        (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

} // namespace

int main(int argc, char** argv)
{
    double seconds = 0.0;
    if (argc == 3 && std::strcmp(argv[1], "--seconds") == 0)
        seconds = std::atof(argv[2]);

    Skein::Application app(true);
    app.setWindowClass("Skein-Demo");
    const double constructed = app.elapsedSeconds();
    Skein::Window window(app, 0, 400, 300);
    window.setCaption("Skein demo");
    DemoWidget widget(window);
    window.makeVisible();
    if (!widget.registerIdleTask(&widget, 16))
        std::printf("no periodic timer available\n");

    if (seconds <= 0.0) {
        app.runLoop(30);
        return 0;
    }
    widget.animate = false;
    while (widget.firstFrameTime < 0.0 && app.elapsedSeconds() < 10.0)
        app.pumpEvents(1);
    const double cpuStart = cpuSeconds(), wallStart = app.elapsedSeconds();
    const unsigned ticksStart = widget.ticks;
    while (!app.isQuitting() && app.elapsedSeconds() - wallStart < seconds)
        app.pumpEvents(30);
    const double cpu = cpuSeconds() - cpuStart;
    std::printf(
        "first frame after %.1f ms; %u idle ticks; CPU %.3f s over %.1f s (%.2f%% of a core)\n",
        (widget.firstFrameTime - constructed) * 1000.0, widget.ticks - ticksStart, cpu, seconds,
        100.0 * cpu / seconds);
    widget.unregisterIdleTask(&widget);
    window.closeWindow();
    return 0;
}
