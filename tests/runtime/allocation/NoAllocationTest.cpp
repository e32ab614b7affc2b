// Proves that posting, scheduling, dispatching and the outbound pipe never allocate, counted
// through the replaced allocator (so not run under ASan).
#include <gtest/gtest.h>

#include "AllocationCounter.h"
#include "TestPatch.h"
#include "runtime/Message.h"

TEST(NoAllocation, CounterSeesAllocations)
{
    AllocationCounter counter;
    int* volatile number = new int(1); // volatile: the pair cannot be elided
    delete number;
    EXPECT_GT(counter.count(), 0);
}

TEST(NoAllocation, PostingSchedulingAndDispatching)
{
    TestPatch patch(10, 6, 2, 48000.0);
    MessageStorage<1> storage;
    const Message* m = Message::initWithFloat(storage.bytes, 0, 1.0f);
    AllocationCounter counter;
    for (int round = 0; round < 50; ++round) {
        patch.deliveries.clear();
        patch.postFloat(TestPatch::kFirst, 1.0f);
        patch.postBang(TestPatch::kSecond);
        patch.postSymbol(TestPatch::kFirst, "short");
        patch.postFormatted(TestPatch::kSecond, 0.5, "bfhs", 1.0, 2, "text");
        patch.postMessage(TestPatch::kFirst, 0.2, m);
        Message* handle = patch.scheduleForObject(m, TestPatch::receiveFirst, 0);
        patch.cancelScheduled(handle, TestPatch::receiveFirst);
        patch.scheduleForObject(m, TestPatch::receiveSecond, 1);
        patch.run(64);
    }
    EXPECT_EQ(counter.count(), 0);
    EXPECT_FALSE(patch.deliveries.empty());
}

TEST(NoAllocation, RefusalsAndTheOutboundPipe)
{
    TestPatch patch(1, 1, 1, 48000.0);
    MessageStorage<1> storage;
    const Message* m = Message::initWithFloat(storage.bytes, 0, 1.0f);
    MessageStorage<1> out;
    uint32_t hash = 0;
    AllocationCounter counter;
    while (patch.postFloat(TestPatch::kFirst, 1.0f)) {
    }
    while (patch.scheduleForObject(m, TestPatch::receiveFirst, 0) != nullptr) {
    }
    for (int i = 0; i < 100; ++i)
        patch.outboundHook()(&patch, "out", 7u, m);
    while (
        patch.takeOutboundMessage(&hash, reinterpret_cast<Message*>(out.bytes), sizeof out.bytes)) {
    }
    patch.deliveries.clear();
    patch.run(8);
    EXPECT_EQ(counter.count(), 0);
}
