// Cost of the Vantorel plug-in's bridge: runCycle of playing blocks (transport to clock ticks,
// tempo, a few MIDI messages, then the patch) against the groove patch's processBlock alone, fed
// the same clock ticks directly. The ratio of the two is the bridge's overhead.
#include "PendingValues.h"
#include "PluginAdapter.h"
#include "VantorelParameters.h"
#include "patch/Krell_Vantorel.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr double kSampleRate = 48000.0;
constexpr double kBpm = 120.0;
// 1000 samples per tick at 48 kHz and 120 bpm.
constexpr double kSamplesPerTick = 1000.0;

struct Buffers {
    explicit Buffers(uint32_t frames) : left(frames), right(frames) { }

    std::vector<float> left;
    std::vector<float> right;
    float* outputs[2] = {left.data(), right.data()};
};

void RunCycle(benchmark::State& state)
{
    const auto frames = static_cast<uint32_t>(state.range(0));
    const bool withMidi = state.range(1) != 0;
    Orvane::pendingBufferSize = frames;
    Orvane::pendingSampleRate = kSampleRate;
    Orvane::PluginAdapter adapter(nullptr, nullptr, nullptr, nullptr);
    Buffers buffers(frames);
    Orvane::TransportInfo transport;
    transport.playing = true;
    transport.bbt.valid = true;
    transport.bbt.beatsPerMinute = kBpm;
    Orvane::MidiMessage midi[2];
    midi[0].size = 3;
    midi[0].data[0] = 0xB0;
    midi[1].frame = frames / 2;
    midi[1].size = 3;
    midi[1].data[0] = 0x90;
    adapter.enable();

    for (auto _ : state) {
        adapter.setTransportInfo(transport);
        adapter.runCycle(nullptr, buffers.outputs, frames, midi, withMidi ? 2 : 0);
        benchmark::DoNotOptimize(buffers.left.data());
        benchmark::ClobberMemory();
        transport.frame += frames;
    }
    state.SetItemsProcessed(state.iterations() * frames);
}

void ProcessBlockAlone(benchmark::State& state)
{
    const auto frames = static_cast<uint32_t>(state.range(0));
    Krell_Vantorel* patch = createPatch(10, 6, 2, kSampleRate);
    for (const auto& parameter : Orvane::kVantorelParameters)
        patch->postFloat(parameter.receiverHash, parameter.defaultValue);
    Buffers buffers(frames);
    double nextTick = 0.0;
    double blockStart = 0.0;

    for (auto _ : state) {
        const double end = blockStart + frames;
        for (; nextTick < end; nextTick += kSamplesPerTick)
            patch->postFormatted(kRealtimeReceiver,
                (nextTick - blockStart + 0.5) * 1000.0 / kSampleRate, "ff", 248.0, 0.0);
        blockStart = end;
        patch->processBlock(nullptr, buffers.outputs, static_cast<int>(frames));
        benchmark::DoNotOptimize(buffers.left.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * frames);
    destroyPatch(patch);
}

BENCHMARK(RunCycle)->ArgsProduct({{64, 256, 1024}, {0, 1}});
BENCHMARK(ProcessBlockAlone)->Arg(64)->Arg(256)->Arg(1024);

} // namespace
