// What rendering the groove costs per frame, at the recordings' rate and at others, tuned and
// untuned, next to the simplest hand-written loop that does the untuned per-frame work (twelve
// table players and the exact mix); and creating a patch. Run by hand.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "patch/Krell_Vantorel.h"
#include "patch/PatchInterface.h"

namespace {

constexpr int kBlock = 512;
// Long enough for 2048 blocks without a voice running out at rate 1, 1024 blocks at rate 2.
constexpr uint32_t kLongTable = 2048 * kBlock + 1;

// First-draw Pattern values for Dayan idx 1, 0, 2, 3 and Baya idx 0, 2, 4, 9: with Length 0 every
// step plays them, so four Dayan and three Baya voices sound together, the most the groove's
// cut-offs allow (baya4 is never played).
constexpr float kDayanPatterns[] = {2, 1, 4, 6};
constexpr float kBayaPatterns[] = {1, 4, 7, 14};

struct Patch {
    explicit Patch(double sampleRate = 48000.0) : patch(createPatch(10, 6, 2, sampleRate)) { }
    Krell_Vantorel* patch;
    std::vector<float> left = std::vector<float>(kBlock), right = std::vector<float>(kBlock);
    float* outputs[2] = {left.data(), right.data()};
    ~Patch() { destroyPatch(patch); }
    void process(int frames = kBlock) { patch->processBlock(nullptr, outputs, frames); }

    void lengthenTables()
    {
        for (int t = 0; t < kStrokeTableCount; ++t) {
            const uint32_t hash = kStrokeTableNames[t].hash;
            const uint32_t length = patch->tableLength(hash);
            patch->resizeTable(hash, kLongTable);
            float* buffer = patch->tableBuffer(hash);
            for (uint32_t i = length; i < kLongTable; ++i)
                buffer[i] = buffer[i % length];
        }
    }
    void startAllVoices()
    {
        patch->postFloat(kDayanLengthReceiver, 0.0f);
        patch->postFloat(kBayaLengthReceiver, 0.0f);
        for (int i = 0; i < 4; ++i) {
            patch->postFloat(kDayanPatternReceiver, kDayanPatterns[i]);
            patch->postFloat(kBayaPatternReceiver, kBayaPatterns[i]);
            patch->postFloat(kTickBus, 0.0f);
            process(1);
        }
    }
};

void BM_PatchIdle(benchmark::State& state)
{
    Patch p;
    p.process();
    for (auto _ : state) {
        p.process();
        benchmark::DoNotOptimize(p.left.data());
    }
    state.SetItemsProcessed(state.iterations() * kBlock);
}
BENCHMARK(BM_PatchIdle);

// Arguments: the sample rate in Hz and both drums' Tune in semitones.
void BM_PatchSevenVoices(benchmark::State& state)
{
    Patch p(static_cast<double>(state.range(0)));
    const auto tune = static_cast<float>(state.range(1));
    p.patch->postFloat(kDayanTuneReceiver, tune);
    p.patch->postFloat(kBayaTuneReceiver, tune);
    p.lengthenTables();
    p.startAllVoices();
    int blocks = 0;
    for (auto _ : state) {
        if (++blocks % 1024 == 0) {
            state.PauseTiming();
            p.startAllVoices();
            state.ResumeTiming();
        }
        p.process();
        benchmark::DoNotOptimize(p.left.data());
    }
    state.SetItemsProcessed(state.iterations() * kBlock);
}
BENCHMARK(BM_PatchSevenVoices)
    ->ArgNames({"rate", "tune"})
    ->Args({48000, 0})
    ->Args({44100, 0})
    ->Args({44100, 7})
    ->Args({96000, 0});

// Each block carries a stop and a tick at frame 100, so every block steps both drums.
void BM_PatchBlockWithTick(benchmark::State& state)
{
    Patch p;
    p.patch->postFloat(kDayanPatternReceiver, 7.0f);
    p.patch->postFloat(kBayaPatternReceiver, 9.0f);
    for (auto _ : state) {
        p.patch->postFormatted(kRealtimeReceiver, 0.0, "ff", 252.0, 0.0);
        p.patch->postFormatted(kRealtimeReceiver, 100.5 / 48.0, "ff", 248.0, 0.0);
        p.process();
        benchmark::DoNotOptimize(p.left.data());
    }
    state.SetItemsProcessed(state.iterations() * kBlock);
}
BENCHMARK(BM_PatchBlockWithTick);

// The same per-frame work written by hand: twelve players, a test, a load and an increment
// each, then the two sums and the two fused multiply-adds.
struct HandPlayer {
    const float* data;
    uint32_t head;
    uint32_t end;
    bool playing;
};

void BM_HandLoop(benchmark::State& state)
{
    const int sounding = static_cast<int>(state.range(0));
    std::vector<float> table(kLongTable, 0.25f);
    HandPlayer players[12];
    std::vector<float> left(kBlock), right(kBlock);
    for (int v = 0; v < 12; ++v)
        players[v] = {table.data(), 0, kLongTable - 1, v < sounding};
    int blocks = 0;
    for (auto _ : state) {
        if (++blocks % 2048 == 0) {
            for (int v = 0; v < 12; ++v)
                players[v] = {table.data(), 0, kLongTable - 1, v < sounding};
        }
        for (int i = 0; i < kBlock; ++i) {
            float s[12];
            for (int v = 0; v < 12; ++v) {
                HandPlayer& p = players[v];
                if (p.playing && p.head < p.end) {
                    s[v] = p.data[p.head++];
                } else {
                    p.playing = false;
                    s[v] = 0.0f;
                }
            }
            const float d = ((s[2] + s[3]) + (s[0] + s[1])) + s[4];
            const float b = ((s[7] + s[8]) + (s[5] + s[6])) + ((s[9] + s[10]) + s[11]);
            const float d0 = 0.75f * d;
            const float d1 = 0.3f * d;
            left[i] = std::fma(b, 0.25f, d0);
            right[i] = std::fma(b, 0.7f, d1);
        }
        benchmark::DoNotOptimize(left.data());
        benchmark::DoNotOptimize(right.data());
    }
    state.SetItemsProcessed(state.iterations() * kBlock);
}
BENCHMARK(BM_HandLoop)->Arg(0)->Arg(7)->Arg(12);

void BM_CreateAndDestroy(benchmark::State& state)
{
    for (auto _ : state) {
        Krell_Vantorel* patch = createPatch(10, 6, 2, 48000.0);
        benchmark::DoNotOptimize(patch);
        destroyPatch(patch);
    }
}
BENCHMARK(BM_CreateAndDestroy)->Unit(benchmark::kMicrosecond);

} // namespace
