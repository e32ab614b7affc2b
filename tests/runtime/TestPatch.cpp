// A minimal patch for testing the context's block loop.
#include "TestPatch.h"

#include <climits>

TestPatch::TestPatch(uint32_t poolKiB, uint32_t inputKiB, uint32_t outputKiB, double sampleRate)
    : KrellContext(poolKiB, inputKiB, outputKiB, sampleRate)
{
    const float values[4] = {1.0f, 2.0f, 3.0f, 4.0f};
    createTable(fTable, 4, values);
    deliveries.reserve(1024);
}

int TestPatch::processBlock(const float* const*, float* const* outputs, int n) noexcept
{
    drainInputPipe();
    for (fFrame = 0; fFrame < n; ++fFrame) {
        dispatchDueAt(fFrame);
        if (outputs != nullptr)
            outputs[0][fFrame] = static_cast<float>(deliveries.size());
    }
    advanceBlockStart(n);
    return n;
}

int TestPatch::processContiguous(const float*, float* output, int n) noexcept
{
    float* outputs[1] = {output};
    return processBlock(nullptr, outputs, n);
}

int TestPatch::processInterleaved(const float* input, float* output, int n) noexcept
{
    return processContiguous(input, output, n);
}

int TestPatch::parameterInfo(int, PatchParameterInfo*) noexcept
{
    return 0;
}

Table* TestPatch::findTable(uint32_t tableHash) noexcept
{
    return tableHash == kTable ? &fTable : nullptr;
}

void TestPatch::routeToReceiver(uint32_t receiverHash, const Message* message) noexcept
{
    switch (receiverHash) {
    case kFirst:
        scheduleForObject(message, receiveFirst, 0);
        break;
    case kSecond:
        scheduleForObject(message, receiveSecond, 0);
        break;
    default:
        break;
    }
}

void TestPatch::run(int n)
{
    processBlock(nullptr, nullptr, n);
}

void TestPatch::skipSamples(uint64_t samples)
{
    while (samples > 0) {
        const uint64_t step = samples < INT_MAX ? samples : INT_MAX;
        advanceBlockStart(static_cast<int>(step));
        samples -= step;
    }
}

void TestPatch::receiveFirst(KrellContextInterface* context, int inlet, const Message* m) noexcept
{
    static_cast<TestPatch*>(context)->record(0, inlet, m);
}

void TestPatch::receiveSecond(KrellContextInterface* context, int inlet, const Message* m) noexcept
{
    static_cast<TestPatch*>(context)->record(1, inlet, m);
}

void TestPatch::record(int receiver, int inlet, const Message* m)
{
    deliveries.push_back({receiver, inlet, blockStartSample() + static_cast<uint32_t>(fFrame),
        m->timestamp, m->floatAt(0), m->symbolAt(m->numElements - 1)});
    if (onDelivery != nullptr)
        onDelivery(*this, m);
}
