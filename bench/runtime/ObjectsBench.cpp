// Per-frame cost of a table player and per-message cost of the binary and unary operation
// objects, measured through their message entry points as a compiled patch calls them.
#include <benchmark/benchmark.h>

#include <vector>

#include "runtime/BinaryOpObject.h"
#include "runtime/KrellContext.h"
#include "runtime/Message.h"
#include "runtime/Table.h"
#include "runtime/TablePlayer.h"
#include "runtime/UnaryOpObject.h"

namespace {

class BenchContext : public KrellContext {
public:
    BenchContext() : KrellContext(4, 1, 0, 48000.0) { }
    const char* patchName() noexcept override { return "bench"; }
    int inputChannelCount() noexcept override { return 0; }
    int outputChannelCount() noexcept override { return 2; }
    int processBlock(const float* const*, float* const*, int n) noexcept override { return n; }
    int processContiguous(const float*, float*, int n) noexcept override { return n; }
    int processInterleaved(const float*, float*, int n) noexcept override { return n; }
    int parameterInfo(int, PatchParameterInfo*) noexcept override { return 0; }
    Table* findTable(uint32_t) noexcept override { return &table; }
    void routeToReceiver(uint32_t, const Message*) noexcept override { }
    Table table;
};

float sink;
void keepFloat(KrellContextInterface*, int, const Message* m) noexcept
{
    sink = m->floatAt(0);
}

// A player restarted whenever it finishes, so every frame reads a sample.
void BM_TablePlayerFrame(benchmark::State& state)
{
    BenchContext context;
    std::vector<float> values(6000, 0.25f);
    context.table.create(6000, values.data());
    TablePlayer player;
    player.init(&context.table, false);
    MessageStorage<1> storage;
    const Message* start = Message::initWithBang(&storage, 0);
    for (auto _ : state) {
        if (!player.playing)
            player.onMessage(&context, 0, start, keepFloat);
        benchmark::DoNotOptimize(player.process(&context, keepFloat));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TablePlayerFrame);

void BM_BinaryOpMessage(benchmark::State& state)
{
    BenchContext context;
    BinaryOpObject object;
    object.init(7.0f);
    MessageStorage<1> storage;
    Message* m = Message::initWithFloat(&storage, 0, 0.0f);
    const auto op = static_cast<BinaryOp>(state.range(0));
    float f = 1.0f;
    for (auto _ : state) {
        m->setFloat(0, f);
        object.onMessage(&context, op, 0, m, keepFloat);
        f += 1.0f;
    }
    benchmark::DoNotOptimize(sink);
    state.SetItemsProcessed(state.iterations());
}
// Add, remainder, shift right, greater, power.
BENCHMARK(BM_BinaryOpMessage)->Arg(0)->Arg(5)->Arg(8)->Arg(18)->Arg(22);

void BM_UnaryOpMessage(benchmark::State& state)
{
    BenchContext context;
    MessageStorage<1> storage;
    Message* m = Message::initWithFloat(&storage, 0, 0.0f);
    const auto op = static_cast<UnaryOp>(state.range(0));
    float f = 0.5f;
    for (auto _ : state) {
        m->setFloat(0, f);
        UnaryOpObject::onMessage(&context, op, 0, m, keepFloat);
        f += 0.25f;
    }
    benchmark::DoNotOptimize(sink);
    state.SetItemsProcessed(state.iterations());
}
// Floor, sine, natural logarithm.
BENCHMARK(BM_UnaryOpMessage)->Arg(19)->Arg(6)->Arg(15);

} // namespace
