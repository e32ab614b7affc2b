// The delay object: scheduling through the context, flush, clear, slot limits and delay ranges.
#include <gtest/gtest.h>

#include <cmath>

#include "RecordingContext.h"
#include "runtime/DelayObject.h"

namespace {

constexpr auto out = RecordingContext::delayOutlet;

struct DelayFixture : ::testing::Test {
    DelayFixture()
    {
        context.delay = &delay;
        delay.init(&context, 10.0f); // 10 ms at 1000 Hz: 10 samples
    }
    RecordingContext context;
    DelayObject delay;
};

TEST_F(DelayFixture, DeliversAtTimestampPlusDelayAndLeavesTheInputAlone)
{
    EXPECT_EQ(delay.delaySamples, 10u);
    context.advance(100);
    TestMessage m = floats(100, {4.0f, 5.0f});
    delay.onMessage(&context, 0, m, out);
    EXPECT_EQ(static_cast<const Message*>(m)->timestamp, 100u);
    EXPECT_TRUE(context.sent.empty());

    context.run(10); // samples 100..109
    EXPECT_TRUE(context.sent.empty());
    context.run(1); // sample 110
    ASSERT_EQ(context.sent.size(), 1u);
    EXPECT_EQ(context.sent[0].timestamp, 110u);
    EXPECT_EQ(context.sent[0].elements.size(), 2u);
    for (Message* slot : delay.pending)
        EXPECT_EQ(slot, nullptr);
}

TEST_F(DelayFixture, ClearCancelsAndFlushDeliversAtOnceWithItsTimestamp)
{
    delay.onMessage(&context, 0, floats(0, {1.0f}), out);
    delay.onMessage(&context, 0, symbol(3, "clear"), out);
    context.run(20);
    EXPECT_TRUE(context.sent.empty());

    delay.onMessage(&context, 0, floats(20, {1.0f}), out);
    delay.onMessage(&context, 0, symbol(21, "two"), out);
    delay.onMessage(&context, 0, hashed(25, "flush"), out);
    ASSERT_EQ(context.sent.size(), 2u);
    EXPECT_TRUE(context.sent[0].isFloat(1.0f));
    EXPECT_EQ(context.sent[0].timestamp, 25u);
    EXPECT_EQ(context.sent[1].elements[0].s, "two");
    EXPECT_EQ(context.sent[1].timestamp, 25u);
    context.run(40);
    EXPECT_EQ(context.sent.size(), 2u) << "flushed messages are no longer scheduled";
}

// An outlet that feeds every flushed message back into the delay, as a patch loop would.
void loopingOutlet(KrellContextInterface* context, int outlet, const Message* m) noexcept
{
    auto* self = static_cast<RecordingContext*>(context);
    RecordingContext::delayOutlet(context, outlet, m);
    if (self->sent.size() < 4)
        self->delay->onMessage(self, 0, m, loopingOutlet);
}

TEST_F(DelayFixture, FlushIntoItselfKeepsTrackOfRescheduledMessages)
{
    delay.onMessage(&context, 0, floats(0, {1.0f}), loopingOutlet);
    delay.onMessage(&context, 0, floats(0, {2.0f}), loopingOutlet);
    delay.onMessage(&context, 0, symbol(5, "flush"), loopingOutlet);
    ASSERT_EQ(context.sent.size(), 2u);
    // Both were rescheduled from the flush's timestamp, and "clear" still reaches them.
    delay.onMessage(&context, 0, symbol(6, "clear"), loopingOutlet);
    context.run(30);
    EXPECT_EQ(context.sent.size(), 2u);
}

TEST_F(DelayFixture, NinthPendingMessageIsDropped)
{
    for (int i = 0; i < 9; ++i)
        delay.onMessage(&context, 0, floats(0, {static_cast<float>(i)}), out);
    context.run(11);
    ASSERT_EQ(context.sent.size(), 8u);
    EXPECT_TRUE(context.sent[7].isFloat(7.0f));
    // The slots are free again.
    delay.onMessage(&context, 0, floats(11, {9.0f}), out);
    context.run(11);
    EXPECT_TRUE(context.sent.back().isFloat(9.0f));
}

TEST_F(DelayFixture, DelayInletsClampNonFiniteNegativeAndHugeValues)
{
    delay.onMessage(&context, 2, floats(0, {25.9f}), out);
    EXPECT_EQ(delay.delaySamples, 25u);
    delay.onMessage(&context, 1, floats(0, {2.5f}), out);
    EXPECT_EQ(delay.delaySamples, 2u);
    for (int inlet : {1, 2}) {
        for (float bad : {NAN, INFINITY, -INFINITY, -3.0f}) {
            delay.onMessage(&context, inlet, floats(0, {bad}), out);
            EXPECT_EQ(delay.delaySamples, 0u) << inlet << " " << bad;
        }
        delay.onMessage(&context, inlet, floats(0, {1e30f}), out);
        EXPECT_EQ(delay.delaySamples, 0x7FFFFFFFu) << inlet;
    }
    // The longest delay still lies in the future rather than firing at once.
    delay.onMessage(&context, 0, bang(0), out);
    context.run(64);
    EXPECT_TRUE(context.sent.empty());
}

} // namespace
