// Costs on the message path: posting, scheduling with dispatch, pool chunks, and the block
// loop's fixed cost per frame. Run by hand on a release build.
#include <benchmark/benchmark.h>

#include <vector>

#include "runtime/KrellContext.h"
#include "runtime/Message.h"
#include "runtime/MessagePool.h"
#include "runtime/MessageQueue.h"

namespace {

constexpr uint32_t kReceiver = hashString("receiver");

void ignore(KrellContextInterface*, int, const Message* m) noexcept
{
    benchmark::DoNotOptimize(m);
}

// The smallest patch: one receiver, no signal work, the block loop of every generated patch.
class BenchPatch : public KrellContext {
public:
    BenchPatch() : KrellContext(10, 6, 2, 48000.0) { }
    const char* patchName() noexcept override { return "bench"; }
    int inputChannelCount() noexcept override { return 0; }
    int outputChannelCount() noexcept override { return 1; }
    int processBlock(const float* const*, float* const* outputs, int n) noexcept override
    {
        drainInputPipe();
        for (int i = 0; i < n; ++i) {
            dispatchDueAt(i);
            outputs[0][i] = 0.0f;
        }
        advanceBlockStart(n);
        return n;
    }
    int processContiguous(const float*, float* output, int n) noexcept override
    {
        return processBlock(nullptr, &output, n);
    }
    int processInterleaved(const float*, float* output, int n) noexcept override
    {
        return processBlock(nullptr, &output, n);
    }
    int parameterInfo(int, PatchParameterInfo*) noexcept override { return 0; }
    Table* findTable(uint32_t) noexcept override { return nullptr; }
    void routeToReceiver(uint32_t hash, const Message* m) noexcept override
    {
        if (hash == kReceiver)
            scheduleForObject(m, ignore, 0);
    }
};

// One post per iteration; every 64 posts a one-frame block drains the pipe (its cost included).
void postFloatUncontended(benchmark::State& state)
{
    BenchPatch patch;
    float out[1];
    float* outputs[1] = {out};
    int pending = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(patch.postFloat(kReceiver, 1.0f));
        if (++pending == 64) {
            patch.processBlock(nullptr, outputs, 1);
            pending = 0;
        }
    }
}
BENCHMARK(postFloatUncontended);

// Schedule one message and deliver it, with `range(0)` other messages waiting later on.
void scheduleAndDispatch(benchmark::State& state)
{
    MessageQueue queue(64);
    MessageStorage<1> storage;
    Message* waiting = Message::initWithFloat(storage.bytes, 1000000, 1.0f);
    for (int64_t i = 0; i < state.range(0); ++i)
        queue.schedule(waiting, ignore, 0);
    const Message* due = Message::initWithFloat(storage.bytes, 10, 2.0f);
    for (auto _ : state) {
        queue.schedule(due, ignore, 0);
        queue.dispatchBefore(nullptr, 11);
    }
}
BENCHMARK(scheduleAndDispatch)->Arg(0)->Arg(64);

void poolAllocateRelease(benchmark::State& state)
{
    MessagePool pool(10);
    MessageStorage<1> storage;
    const Message* m = Message::initWithFloat(storage.bytes, 0, 1.0f);
    for (auto _ : state) {
        Message* chunk = pool.allocate(*m);
        benchmark::DoNotOptimize(chunk);
        pool.release(chunk);
    }
}
BENCHMARK(poolAllocateRelease);

// Block loop with an empty pipe and queue; the counter gives the time per frame.
void emptyBlockLoop(benchmark::State& state)
{
    BenchPatch patch;
    const int frames = static_cast<int>(state.range(0));
    std::vector<float> out(static_cast<size_t>(frames));
    float* outputs[1] = {out.data()};
    for (auto _ : state) {
        patch.processBlock(nullptr, outputs, frames);
        benchmark::ClobberMemory();
    }
    state.counters["per_frame"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * frames,
            benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(emptyBlockLoop)->Arg(64)->Arg(512);

} // namespace
