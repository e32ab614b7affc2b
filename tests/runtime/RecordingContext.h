// Test double for object tests: a context with two tables, frame-by-frame scheduling, and outlet
// functions that record what the objects emit. Test thread only.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "runtime/DelayObject.h"
#include "runtime/KrellContext.h"
#include "runtime/Message.h"
#include "runtime/Table.h"

// A message built in place, up to 16 elements; symbol texts must outlive it.
class TestMessage {
public:
    TestMessage(uint32_t timestamp, int n)
    {
        Message::init(&storage, timestamp, static_cast<uint16_t>(n));
    }
    Message* get() { return reinterpret_cast<Message*>(&storage); }
    operator const Message*() const { return reinterpret_cast<const Message*>(&storage); }

private:
    MessageStorage<16> storage;
};

inline TestMessage floats(uint32_t timestamp, std::initializer_list<float> values)
{
    TestMessage t(timestamp, static_cast<int>(values.size()));
    int i = 0;
    for (float v : values)
        t.get()->setFloat(i++, v);
    return t;
}
inline TestMessage bang(uint32_t timestamp)
{
    TestMessage t(timestamp, 1);
    t.get()->setBang(0);
    return t;
}
inline TestMessage symbol(uint32_t timestamp, const char* text)
{
    TestMessage t(timestamp, 1);
    t.get()->setSymbol(0, text);
    return t;
}
inline TestMessage hashed(uint32_t timestamp, const char* text)
{
    TestMessage t(timestamp, 1);
    t.get()->setHash(0, hashString(text));
    return t;
}

struct RecordedElement {
    ElementType type = ElementType::Bang;
    float f = 0.0f;
    uint32_t h = 0;
    std::string s;
};

struct Recorded {
    int outlet;
    uint32_t timestamp;
    std::vector<RecordedElement> elements;

    bool isBang() const { return elements.size() == 1 && elements[0].type == ElementType::Bang; }
    bool isFloat(float value) const
    {
        return elements.size() == 1 && elements[0].type == ElementType::Float &&
            elements[0].f == value;
    }
};

class RecordingContext : public KrellContext {
public:
    static constexpr uint32_t kSmallTable = hashString("small");
    static constexpr uint32_t kLongTable = hashString("long");

    explicit RecordingContext(double sampleRate = 1000.0) : KrellContext(4, 1, 0, sampleRate) { }

    const char* patchName() noexcept override { return "recording"; }
    int inputChannelCount() noexcept override { return 3; }
    int outputChannelCount() noexcept override { return 2; }
    int parameterInfo(int, PatchParameterInfo*) noexcept override { return 0; }
    void routeToReceiver(uint32_t, const Message*) noexcept override { }
    Table* findTable(uint32_t hash) noexcept override
    {
        if (hash == kSmallTable)
            return &smallTable;
        if (hash == kLongTable)
            return &longTable;
        return nullptr;
    }

    // Runs n frames: delivers the messages due at each frame, then moves the clock on.
    int processBlock(const float* const*, float* const*, int n) noexcept override
    {
        for (int i = 0; i < n; ++i)
            dispatchDueAt(i);
        advanceBlockStart(n);
        return n;
    }
    int processContiguous(const float*, float*, int n) noexcept override
    {
        return processBlock(nullptr, nullptr, n);
    }
    int processInterleaved(const float*, float*, int n) noexcept override
    {
        return processBlock(nullptr, nullptr, n);
    }
    void run(int n) { processBlock(nullptr, nullptr, n); }
    void advance(int n) { advanceBlockStart(n); }

    // An outlet function that records every message.
    static void record(KrellContextInterface* context, int outlet, const Message* m) noexcept
    {
        static_cast<RecordingContext*>(context)->sent.push_back(snapshot(outlet, m));
    }
    // The outlet of `delay`, which is also the target of its delayed messages.
    static void delayOutlet(KrellContextInterface* context, int outlet, const Message* m) noexcept
    {
        auto* self = static_cast<RecordingContext*>(context);
        self->delay->clearSlot(m);
        record(context, outlet, m);
    }

    static Recorded snapshot(int outlet, const Message* m)
    {
        Recorded r{outlet, m->timestamp, {}};
        for (int i = 0; i < m->numElements; ++i) {
            RecordedElement e;
            e.type = m->type(i);
            if (m->isFloat(i))
                e.f = m->floatAt(i);
            if (m->isHash(i))
                e.h = m->hashAt(i);
            if (m->isSymbol(i))
                e.s = m->symbolAt(i);
            r.elements.push_back(e);
        }
        return r;
    }

    Table smallTable;
    Table longTable;
    DelayObject* delay = nullptr;
    std::vector<Recorded> sent;
};
