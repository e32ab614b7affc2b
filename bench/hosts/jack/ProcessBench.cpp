// Cost of the JACK process callback (transport query, ports, MIDI, the plug-in's run) against the
// plug-in's own runCycle for the same block. The callback runs on a registered, inactive client of
// a jackd started here (1024-frame period), so only this thread does the work.
#include "JackBinding.h"
#include "JackTestServer.h"
#include "PendingValues.h"
#include "PluginJack.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

struct JackSetup {
    StandaloneTest::JackTestServer server{1024};
    std::unique_ptr<Orvane::PluginJack> jack;

    JackSetup()
    {
        Orvane::jack_status_t status = 0;
        Orvane::jack_client_t* client =
            Orvane::Jack::clientOpen("Vantorel", Orvane::JackNoStartServer, &status);
        Orvane::pendingSampleRate = 48000.0;
        Orvane::pendingBufferSize = 1024;
        if (client != nullptr)
            jack = std::make_unique<Orvane::PluginJack>(client, 0);
    }
};

JackSetup& setup()
{
    static JackSetup shared;
    return shared;
}

void JackProcessCallback(benchmark::State& state)
{
    Orvane::PluginJack* jack = setup().jack.get();
    if (jack == nullptr) {
        state.SkipWithError("no JACK server");
        return;
    }
    const auto frames = static_cast<uint32_t>(state.range(0));
    for (auto _ : state)
        jack->process(frames);
    state.SetItemsProcessed(state.iterations() * frames);
}

void PluginRunCycle(benchmark::State& state)
{
    Orvane::pendingSampleRate = 48000.0;
    Orvane::pendingBufferSize = 1024;
    Orvane::PluginAdapter plugin(nullptr, nullptr, nullptr, nullptr);
    const auto frames = static_cast<uint32_t>(state.range(0));
    std::vector<float> left(frames);
    std::vector<float> right(frames);
    float* outputs[2] = {left.data(), right.data()};
    for (auto _ : state)
        plugin.runCycle(nullptr, outputs, frames, nullptr, 0);
    state.SetItemsProcessed(state.iterations() * frames);
}

BENCHMARK(JackProcessCallback)->RangeMultiplier(2)->Range(64, 1024);
BENCHMARK(PluginRunCycle)->RangeMultiplier(2)->Range(64, 1024);

} // namespace
