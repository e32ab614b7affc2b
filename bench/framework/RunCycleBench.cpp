// Cost of PluginAdapter::runCycle per block with the probe plug-in, which only halves its input
// into two outputs: the framework's share of a block plus that trivial loop. Baseline: the same
// loop called directly, so the difference is the adapter's overhead.
#include "PendingValues.h"
#include "PluginAdapter.h"
#include "ProbePlugin.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

struct Buffers {
    explicit Buffers(uint32_t frames) : input(frames, 0.25f), left(frames), right(frames) { }

    std::vector<float> input;
    std::vector<float> left;
    std::vector<float> right;
    const float* inputs[1] = {input.data()};
    float* outputs[2] = {left.data(), right.data()};
};

void RunCycle(benchmark::State& state)
{
    const auto frames = static_cast<uint32_t>(state.range(0));
    Orvane::pendingBufferSize = frames;
    Orvane::pendingSampleRate = 48000.0;
    Orvane::PluginAdapter adapter(nullptr, nullptr, nullptr, nullptr);
    Buffers buffers(frames);
    Orvane::TransportInfo transport;
    transport.playing = true;
    adapter.enable();

    for (auto _ : state) {
        adapter.setTransportInfo(transport);
        adapter.runCycle(buffers.inputs, buffers.outputs, frames, nullptr, 0);
        benchmark::DoNotOptimize(buffers.left.data());
        benchmark::ClobberMemory();
        transport.frame += frames;
    }
    state.SetItemsProcessed(state.iterations());
}

void DirectLoop(benchmark::State& state)
{
    const auto frames = static_cast<uint32_t>(state.range(0));
    Buffers buffers(frames);
    for (auto _ : state) {
        const float* const input = buffers.inputs[0];
        for (float* output : buffers.outputs) {
            for (uint32_t frame = 0; frame < frames; ++frame)
                output[frame] = 0.5f * input[frame];
        }
        benchmark::DoNotOptimize(buffers.left.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}

// 0 frames isolates the fixed cost of a block.
BENCHMARK(RunCycle)->Arg(0)->Arg(64)->Arg(256)->Arg(1024);
BENCHMARK(DirectLoop)->Arg(64)->Arg(256)->Arg(1024);

} // namespace
