// The LV2 plug-in's run against the CLAP module's process for the same groove: 48 kHz, 120 bpm,
// a playing transport, both modules loaded as their hosts load them. LV2 hosts send the position
// every block (as Ardour does) or only when it changes (as jalv does); both are measured.
#include "BlockRenderer.h"
#include "ClapLibrary.h"
#include "HostContext.h"
#include "Lv2TestHost.h"
#include "PluginInstance.h"
#include "TransportTimeline.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr double kRate = 48000.0;

void clapProcess(benchmark::State& state)
{
    const auto frames = static_cast<uint32_t>(state.range(0));
    ClapLibrary library;
    HostContext host;
    PluginInstance instance;
    std::string error;
    if (!library.open(VANTOREL_CLAP_PATH, error) ||
        !instance.create(*library.factory(), *host.host(), error) ||
        !instance.activate(kRate, 1, frames)) {
        state.SkipWithError(error.c_str());
        return;
    }
    BlockRenderer renderer(instance, TransportTimeline(kRate, 120.0, 4, 4), frames);
    for (auto _ : state)
        benchmark::DoNotOptimize(renderer.processBlock(frames));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * frames);
}

void lv2Run(benchmark::State& state, bool everyBlock)
{
    const auto frames = static_cast<uint32_t>(state.range(0));
    Lv2TestHost host;
    if (!host.start(kRate, frames)) {
        state.SkipWithError("the LV2 plug-in was not found on LV2_PATH");
        return;
    }
    HostPosition position;
    host.addPosition(0, position);
    for (auto _ : state) {
        if (everyBlock) {
            const double beats = static_cast<double>(position.frame) * 120.0 / 60.0 / kRate;
            position.bar = static_cast<int64_t>(beats / 4.0);
            position.barBeat = static_cast<float>(beats - 4.0 * static_cast<double>(position.bar));
            host.addPosition(0, position);
        }
        host.run(frames);
        position.frame += frames;
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * frames);
}

void lv2RunPositionEveryBlock(benchmark::State& state)
{
    lv2Run(state, true);
}

void lv2RunPositionOnChange(benchmark::State& state)
{
    lv2Run(state, false);
}

} // namespace

BENCHMARK(clapProcess)->Arg(64)->Arg(256)->Arg(1024);
BENCHMARK(lv2RunPositionEveryBlock)->Arg(64)->Arg(256)->Arg(1024);
BENCHMARK(lv2RunPositionOnChange)->Arg(64)->Arg(256)->Arg(1024);
