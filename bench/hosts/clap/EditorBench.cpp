// Cost of open editors in a host: CPU per 16 ms host timer tick for one and for eight editors
// (drawing included, paced like a host), and process with the editor open against closed.
// Runs its own Xvfb.
#include "ClapLibrary.h"
#include "GuiHost.h"
#include "HostWindow.h"
#include "XvfbServer.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

namespace {

constexpr auto kTimerPeriod = std::chrono::milliseconds(16);

struct Session {
    SkeinTest::XvfbServer server;
    std::unique_ptr<SkeinTest::TestClient> client;
    ClapLibrary library;

    Session()
    {
        std::string error;
        if (server.display().empty() || !library.open(VANTOREL_CLAP_PATH, error)) {
            std::fprintf(stderr, "no X server or module: %s\n", error.c_str());
            std::abort();
        }
        setenv("DISPLAY", server.display().c_str(), 1);
        client = std::make_unique<SkeinTest::TestClient>();
    }
};

Session& session()
{
    static Session s;
    return s;
}

struct OpenEditor {
    std::unique_ptr<HostedPlugin> plugin;
    std::unique_ptr<HostWindow> parent;

    explicit OpenEditor(bool open)
        : plugin(std::make_unique<HostedPlugin>(session().library)),
          parent(std::make_unique<HostWindow>(*session().client, 242, 444))
    {
        plugin->instance.activate(48000.0, 1, 256);
        if (!open)
            return;
        const clap_plugin_t* p = plugin->plugin();
        clap_window_t window{CLAP_WINDOW_API_X11, {}};
        window.x11 = parent->id();
        plugin->gui->create(p, CLAP_WINDOW_API_X11, false);
        plugin->gui->set_parent(p, &window);
        plugin->gui->show(p);
    }
    ~OpenEditor() { plugin.reset(); }
};

// One iteration is one host timer period: every editor's tick, then the rest of the period idle.
void editorTicks(benchmark::State& state)
{
    std::vector<std::unique_ptr<OpenEditor>> editors;
    for (int64_t i = 0; i < state.range(0); ++i)
        editors.push_back(std::make_unique<OpenEditor>(true));
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        for (auto& editor : editors)
            editor->plugin->fireTimers();
        std::this_thread::sleep_until(start + kTimerPeriod);
    }
    state.counters["editors"] = static_cast<double>(state.range(0));
}
BENCHMARK(editorTicks)->Arg(1)->Arg(8)->MeasureProcessCPUTime()->Iterations(250);

// process of a 256-frame block, editor closed (0) or open (1) and ticked every third block,
// with the ticks outside the measured time.
void processWithEditor(benchmark::State& state)
{
    OpenEditor editor(state.range(0) != 0);
    uint64_t block = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(editor.plugin->process(256));
        if (++block % 3 == 0) {
            state.PauseTiming();
            editor.plugin->fireTimers();
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * 256);
}
BENCHMARK(processWithEditor)->Arg(0)->Arg(1);

} // namespace
