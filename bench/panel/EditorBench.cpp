// Editor costs on the X server named by DISPLAY (Mesa's software renderer under Xvfb): one
// frame (Dear ImGui frame, OpenGL 2 draw, swap) at scale 1 and 2, the CPU share of an open idle
// editor redrawing every 16 ms for 10 seconds, and the time from construction to the first frame.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <time.h>

#include <memory>

#include "ImGuiPluginUI.h"
#include "ui/EditorFactory.h"

namespace {

double seconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return now.tv_sec + now.tv_nsec * 1e-9;
}

double processCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
        (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

void ignoreValue(void*, uint32_t, float)
{
}

// A shown editor; withHost gives it a host, and so its 16 ms redraw timer.
struct ShownEditor {
    Orvane::editorLink link;
    std::unique_ptr<Orvane::UI> ui;
    ShownEditor(double scale, bool withHost)
    {
        link.fScaleFactor = scale;
        if (withHost) {
            link.fCallbacksPtr = &link;
            link.fSetParamCallback = ignoreValue;
        }
        ui.reset(Orvane::createUI(link));
        link.fWindow->makeVisible();
        waitForFirstFrame();
    }
    bool drawn() { return static_cast<Orvane::ImGuiPluginUI&>(*ui).dialPlace(5).radius > 0.0f; }
    void waitForFirstFrame()
    {
        for (int i = 0; i < 500 && !drawn(); ++i)
            link.fApp.pumpEvents(10);
    }
};

void EditorFrame(benchmark::State& state)
{
    ShownEditor editor(static_cast<double>(state.range(0)), false);
    if (!editor.drawn()) {
        state.SkipWithError("no frame drawn: is DISPLAY an X server with GLX?");
        return;
    }
    for (auto _ : state) {
        editor.link.fWindow->requestRedraw();
        editor.link.fApp.pumpEvents(0);
    }
}
// The software renderer's threads and the swap count too: wall time is the frame's cost.
BENCHMARK(EditorFrame)
    ->Arg(1)
    ->Arg(2)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

void IdleEditorCpuShare(benchmark::State& state)
{
    ShownEditor editor(1.0, true);
    for (auto _ : state) {
        const double wall = seconds(CLOCK_MONOTONIC), cpu = processCpuSeconds();
        while (seconds(CLOCK_MONOTONIC) - wall < 10.0)
            editor.link.fApp.pumpEvents(16);
        state.counters["cpu_percent"] =
            100.0 * (processCpuSeconds() - cpu) / (seconds(CLOCK_MONOTONIC) - wall);
    }
}
BENCHMARK(IdleEditorCpuShare)->Iterations(1)->Unit(benchmark::kSecond);

void OpenEditor(benchmark::State& state)
{
    for (auto _ : state) {
        ShownEditor editor(static_cast<double>(state.range(0)), true);
        if (!editor.drawn()) {
            state.SkipWithError("no frame drawn: is DISPLAY an X server with GLX?");
            break;
        }
    }
}
BENCHMARK(OpenEditor)
    ->Arg(1)
    ->Arg(2)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
