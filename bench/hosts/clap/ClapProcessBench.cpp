// Cost of the CLAP binding: process against PluginAdapter::runCycle of the same plug-in, with the
// binding linked in and as the loaded vantorel.clap; the render tool's speed into a file; instance
// creation.
#include "AudioFileWriter.h"
#include "ClapExtensions.h"
#include "ClapLibrary.h"
#include "FileRender.h"
#include "HostContext.h"
#include "HostEvents.h"
#include "PendingValues.h"
#include "PluginAdapter.h"
#include "PluginInstance.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr double kRate = 48000.0;

struct LoadedPlugin {
    ClapLibrary library;
    HostContext host;
    PluginInstance instance;

    LoadedPlugin()
    {
        std::string error;
        if (!library.open(VANTOREL_CLAP_PATH, error) ||
            !instance.create(*library.factory(), *host.host(), error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            std::abort();
        }
    }
};

// One plug-in instance's process, block after block, with a playing transport. The host's
// transports are made beforehand so that only the plug-in's side is measured; the plug-in keeps
// its own clock when the host's position wraps around.
void processBlocks(benchmark::State& state, const clap_plugin_t* plugin, uint32_t frames)
{
    const TransportTimeline timeline(kRate, 120.0, 4, 4);
    std::vector<clap_event_transport_t> transports(64);
    for (size_t i = 0; i < transports.size(); ++i)
        transports[i] = timeline.at(i * frames);
    std::vector<float> left(frames), right(frames);
    float* channels[2] = {left.data(), right.data()};
    clap_audio_buffer_t buffer{channels, nullptr, 2, 0, 0};
    InputEventList in;
    OutputEventList out;
    out.reserve(4096, 64);

    size_t block = 0;
    for (auto _ : state) {
        const clap_event_transport_t& transport = transports[block % transports.size()];
        clap_process_t data{};
        data.steady_time = static_cast<int64_t>(block * frames);
        data.frames_count = frames;
        data.transport = &transport;
        data.audio_outputs = &buffer;
        data.audio_outputs_count = 1;
        data.in_events = in.list();
        data.out_events = out.list();
        benchmark::DoNotOptimize(plugin->process(plugin, &data));
        ++block;
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * frames);
}

// The binding linked into this program, around the same copy of the plug-in as runCycleAlone:
// the difference between the two is the binding's own cost.
void processLinkedBinding(benchmark::State& state)
{
    const auto frames = static_cast<uint32_t>(state.range(0));
    HostContext host;
    Orvane::pendingBufferSize = frames;
    Orvane::pendingSampleRate = kRate;
    const clap_plugin_t* const plugin = Orvane::createClapPlugin(nullptr, host.host());
    plugin->init(plugin);
    plugin->activate(plugin, kRate, 1, frames);
    processBlocks(state, plugin, frames);
    plugin->destroy(plugin);
}

// The module as a host loads it; its copy of the plug-in is laid out differently in memory, which
// moves the per-frame cost by some percent either way.
void processLoadedModule(benchmark::State& state)
{
    const auto frames = static_cast<uint32_t>(state.range(0));
    LoadedPlugin loaded;
    loaded.instance.activate(kRate, 1, frames);
    processBlocks(state, loaded.instance.plugin(), frames);
}

// The same plug-in and transport without the binding: what process costs at the least.
void runCycleAlone(benchmark::State& state)
{
    const auto frames = static_cast<uint32_t>(state.range(0));
    Orvane::pendingBufferSize = frames;
    Orvane::pendingSampleRate = kRate;
    Orvane::PluginAdapter adapter(nullptr, nullptr, nullptr, nullptr);
    adapter.enable();
    std::vector<float> left(frames), right(frames);
    float* outputs[2] = {left.data(), right.data()};
    Orvane::TransportInfo transport;
    transport.playing = true;
    transport.bbt.valid = true;

    uint64_t position = 0;
    for (auto _ : state) {
        transport.frame = position;
        adapter.setTransportInfo(transport);
        adapter.runCycle(nullptr, outputs, frames, nullptr, 0);
        benchmark::DoNotOptimize(left.data());
        position += frames;
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * frames);
}

// vantorel-render's whole job at a block size: 10 minutes of a dense groove (both Tempos at ×2)
// rendered into a 32-bit float WAV file, in seconds of audio per second of CPU time.
void renderToFileSpeed(benchmark::State& state)
{
    const auto blockSize = static_cast<uint32_t>(state.range(0));
    constexpr uint32_t kRenderRate = 48000;
    constexpr double kSeconds = 600.0;
    LoadedPlugin loaded;
    for (const char* symbol : {"baya_tempo", "dayan_tempo"}) {
        clap_param_info_t info{};
        loaded.instance.findParameter(symbol, info);
        loaded.instance.setParameter(info.id, 0.0);
    }
    const std::string path = (std::getenv("TMPDIR") != nullptr ? std::getenv("TMPDIR") : "/tmp") +
        std::string("/vantorel-render-bench.wav");
    std::string error;
    for (auto _ : state) {
        // A new file each time, as a user's render makes: dropping the last one's pages is not
        // part of writing this one.
        state.PauseTiming();
        std::remove(path.c_str());
        state.ResumeTiming();
        AudioFileWriter writer;
        writer.open(path, kRenderRate, AudioFileFormat::WavFloat, error);
        activateForRender(loaded.instance, kRenderRate, blockSize);
        const FileRenderResult result =
            renderToFile(loaded.instance, TransportTimeline(kRenderRate, 120.0, 4, 4),
                static_cast<uint64_t>(kSeconds * kRenderRate), blockSize, writer, [](uint64_t) {});
        loaded.instance.deactivate();
        if (!writer.close() || result != FileRenderResult::Done)
            state.SkipWithError("the render failed");
    }
    std::remove(path.c_str());
    state.counters["audio_seconds_per_cpu_second"] = benchmark::Counter(
        kSeconds * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void createAndDestroyInstance(benchmark::State& state)
{
    LoadedPlugin loaded;
    const clap_plugin_factory_t& factory = *loaded.library.factory();
    for (auto _ : state) {
        const clap_plugin_t* const plugin =
            factory.create_plugin(&factory, loaded.host.host(), "urn.krellgen.Vantorel");
        plugin->init(plugin);
        plugin->destroy(plugin);
    }
}

} // namespace

BENCHMARK(processLinkedBinding)->Arg(64)->Arg(256)->Arg(1024);
BENCHMARK(processLoadedModule)->Arg(64)->Arg(256)->Arg(1024);
BENCHMARK(runCycleAlone)->Arg(64)->Arg(256)->Arg(1024);
BENCHMARK(renderToFileSpeed)->Arg(256)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(createAndDestroyInstance)->Unit(benchmark::kMicrosecond);
