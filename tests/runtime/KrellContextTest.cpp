// The context's block loop through a small test patch: posting, timing, ordering, cancelling,
// refusals, the sample counter's wrap and the outbound pipe.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "TestPatch.h"
#include "runtime/Message.h"

namespace {

// 1000 Hz: one millisecond is exactly one sample.
constexpr double kRate = 1000.0;

std::vector<float> valuesOf(const TestPatch& patch)
{
    std::vector<float> values;
    for (const Delivery& d : patch.deliveries)
        values.push_back(d.value);
    return values;
}

} // namespace

TEST(BlockLoop, PostsBeforeABlockArriveInOrderBeforeFrameZero)
{
    TestPatch patch(10, 6, 2, kRate);
    patch.run(8);
    ASSERT_TRUE(patch.postFloat(TestPatch::kFirst, 1.0f));
    ASSERT_TRUE(patch.postFloat(TestPatch::kFirst, 2.0f));
    ASSERT_TRUE(patch.postBang(TestPatch::kSecond));
    EXPECT_TRUE(patch.postFloat(hashString("nobody"), 3.0f)); // accepted, then ignored
    patch.run(4);
    ASSERT_EQ(patch.deliveries.size(), 3u);
    EXPECT_EQ(valuesOf(patch), (std::vector<float>{1.0f, 2.0f, 0.0f}));
    for (const Delivery& d : patch.deliveries) {
        EXPECT_EQ(d.frame, 8u);
        EXPECT_EQ(d.timestamp, 8u); // stamped with the start of the next block
    }
    EXPECT_EQ(patch.deliveries[2].receiver, 1);
}

TEST(BlockLoop, DelayedMessageArrivesBeforeItsFrame)
{
    TestPatch patch(10, 6, 2, kRate);
    ASSERT_TRUE(patch.postFormatted(TestPatch::kFirst, 5.0, "f", 7.0));
    std::vector<float> out(16, -1.0f);
    patch.processContiguous(nullptr, out.data(), 16);
    ASSERT_EQ(patch.deliveries.size(), 1u);
    EXPECT_EQ(patch.deliveries[0].frame, 5u);
    EXPECT_EQ(patch.deliveries[0].value, 7.0f);
    // Frames 0-4 were computed before the delivery, frame 5 after it.
    EXPECT_EQ(out[4], 0.0f);
    EXPECT_EQ(out[5], 1.0f);
}

TEST(BlockLoop, MessageStampedBeforeBlockStartIsDeliveredFirst)
{
    TestPatch patch(10, 6, 2, kRate);
    patch.run(100);
    MessageStorage<1> storage;
    ASSERT_NE(patch.scheduleForObject(
                  Message::initWithFloat(storage.bytes, 3, 1.0f), TestPatch::receiveFirst, 0),
        nullptr);
    ASSERT_NE(patch.scheduleForObject(
                  Message::initWithFloat(storage.bytes, 101, 2.0f), TestPatch::receiveFirst, 0),
        nullptr);
    patch.run(4);
    ASSERT_EQ(patch.deliveries.size(), 2u);
    EXPECT_EQ(patch.deliveries[0].frame, 100u);
    EXPECT_EQ(patch.deliveries[1].frame, 101u);
}

TEST(BlockLoop, EqualTimestampsKeepSchedulingOrderEvenDuringDispatch)
{
    TestPatch patch(10, 6, 2, kRate);
    // The first delivery schedules a follow-up with its own timestamp: it runs in the same
    // frame, after everything already queued for that frame.
    patch.onDelivery = [](TestPatch& p, const Message* m) {
        if (m->floatAt(0) != 1.0f)
            return;
        MessageStorage<1> storage;
        p.scheduleForObject(
            Message::initWithFloat(storage.bytes, m->timestamp, 9.0f), TestPatch::receiveSecond, 0);
    };
    for (float v : {1.0f, 2.0f, 3.0f})
        ASSERT_TRUE(patch.postFormatted(TestPatch::kFirst, 2.0, "f", double{v}));
    patch.run(4);
    EXPECT_EQ(valuesOf(patch), (std::vector<float>{1.0f, 2.0f, 3.0f, 9.0f}));
    for (const Delivery& d : patch.deliveries)
        EXPECT_EQ(d.frame, 2u);
}

TEST(BlockLoop, EarlierMessageScheduledDuringDispatchDoesNotDisplaceTheCurrentOne)
{
    TestPatch patch(10, 6, 2, kRate);
    patch.run(10);
    patch.onDelivery = [](TestPatch& p, const Message* m) {
        if (m->floatAt(0) != 1.0f)
            return;
        MessageStorage<1> storage;
        p.scheduleForObject(Message::initWithFloat(storage.bytes, m->timestamp - 5, 2.0f),
            TestPatch::receiveFirst, 0);
    };
    ASSERT_TRUE(patch.postFloat(TestPatch::kFirst, 1.0f));
    patch.run(2);
    EXPECT_EQ(valuesOf(patch), (std::vector<float>{1.0f, 2.0f}));
    EXPECT_TRUE(patch.queue().empty());
}

TEST(BlockLoop, PostDuringABlockArrivesAtTheNextBlocksStart)
{
    TestPatch patch(10, 6, 2, kRate);
    patch.onDelivery = [](TestPatch& p, const Message* m) {
        if (m->floatAt(0) == 1.0f)
            p.postFloat(TestPatch::kSecond, 2.0f);
    };
    ASSERT_TRUE(patch.postFormatted(TestPatch::kFirst, 3.0, "f", 1.0));
    patch.run(8);
    ASSERT_EQ(patch.deliveries.size(), 1u);
    patch.run(8);
    ASSERT_EQ(patch.deliveries.size(), 2u);
    EXPECT_EQ(patch.deliveries[1].timestamp, 0u); // stamped with the block it was posted in
    EXPECT_EQ(patch.deliveries[1].frame, 8u);
}

TEST(BlockLoop, CancelNeedsTheRightTarget)
{
    TestPatch patch(10, 6, 2, kRate);
    MessageStorage<1> storage;
    Message* keep = patch.scheduleForObject(
        Message::initWithFloat(storage.bytes, 2, 1.0f), TestPatch::receiveFirst, 0);
    Message* drop = patch.scheduleForObject(
        Message::initWithFloat(storage.bytes, 2, 2.0f), TestPatch::receiveFirst, 0);
    Message* dropAny = patch.scheduleForObject(
        Message::initWithFloat(storage.bytes, 3, 3.0f), TestPatch::receiveFirst, 0);
    EXPECT_FALSE(patch.cancelScheduled(keep, TestPatch::receiveSecond));
    EXPECT_TRUE(patch.cancelScheduled(drop, TestPatch::receiveFirst));
    EXPECT_TRUE(patch.cancelScheduled(dropAny, nullptr));
    EXPECT_FALSE(patch.cancelScheduled(drop, nullptr));
    EXPECT_FALSE(patch.cancelScheduled(reinterpret_cast<Message*>(storage.bytes), nullptr));
    patch.run(8);
    EXPECT_EQ(valuesOf(patch), (std::vector<float>{1.0f}));
}

TEST(BlockLoop, MessageBeingDeliveredCannotBeCancelled)
{
    TestPatch patch(10, 6, 2, kRate);
    patch.onDelivery = [](TestPatch& p, const Message* m) {
        EXPECT_FALSE(p.cancelScheduled(m, nullptr));
    };
    ASSERT_TRUE(patch.postFloat(TestPatch::kFirst, 1.0f));
    patch.run(1);
    EXPECT_EQ(patch.deliveries.size(), 1u);
    EXPECT_TRUE(patch.queue().empty());
}

TEST(BlockLoop, ScheduleSurvivesTheWrapOfTheSampleCounter)
{
    TestPatch patch(10, 6, 2, kRate);
    patch.skipSamples((uint64_t{1} << 32) - 10);
    ASSERT_EQ(patch.blockStartSample(), 0xFFFFFFF6u);
    // Posted in reverse order: the later one lands after the wrap.
    ASSERT_TRUE(patch.postFormatted(TestPatch::kFirst, 15.0, "f", 2.0));
    ASSERT_TRUE(patch.postFormatted(TestPatch::kFirst, 5.0, "f", 1.0));
    ASSERT_TRUE(patch.postFormatted(TestPatch::kFirst, 9.0, "f", 1.5));
    for (int block = 0; block < 4; ++block)
        patch.run(8);
    EXPECT_EQ(valuesOf(patch), (std::vector<float>{1.0f, 1.5f, 2.0f}));
    ASSERT_EQ(patch.deliveries.size(), 3u);
    EXPECT_EQ(patch.deliveries[0].frame, 0xFFFFFFFBu);
    EXPECT_EQ(patch.deliveries[1].frame, 0xFFFFFFFFu);
    EXPECT_EQ(patch.deliveries[2].frame, 5u);
    EXPECT_EQ(patch.blockStartSample(), 22u);
}

TEST(Delays, ConversionIsDefinedForEveryInput)
{
    TestPatch patch(10, 6, 2, 48000.0);
    EXPECT_EQ(patch.msToSamples(1.0f), 48u);
    EXPECT_EQ(patch.msToSamples(-3.0f), 0u);
    EXPECT_EQ(patch.msToSamples(std::nanf("")), 0u);
    EXPECT_EQ(patch.msToSamples(std::numeric_limits<float>::infinity()), 0u);
    EXPECT_EQ(patch.msToSamples(1e30f), 0x7FFFFFFFu);
    EXPECT_FLOAT_EQ(patch.samplesToMs(480), 10.0f);
}

TEST(Delays, PostingAgreesWithMsToSamples)
{
    TestPatch patch(10, 6, 2, 44100.0);
    std::vector<uint32_t> expected;
    for (int i = 1; i <= 40; ++i) {
        const float ms = static_cast<float>(i) * (1000.0f / 44100.0f);
        expected.push_back(patch.msToSamples(ms));
        ASSERT_TRUE(
            patch.postFormatted(TestPatch::kFirst, static_cast<double>(ms), "f", double(i)));
    }
    patch.run(64);
    ASSERT_EQ(patch.deliveries.size(), expected.size());
    for (const Delivery& d : patch.deliveries) {
        EXPECT_EQ(d.timestamp, expected[static_cast<size_t>(d.value) - 1]) << d.value;
    }
}

TEST(Delays, HugeAndInvalidDelaysNeitherWrapNorFire)
{
    TestPatch patch(10, 6, 2, kRate);
    ASSERT_TRUE(patch.postFormatted(TestPatch::kFirst, 1e12, "f", 1.0)); // clamped far ahead
    ASSERT_TRUE(patch.postFormatted(TestPatch::kFirst, std::nan(""), "f", 2.0));
    ASSERT_TRUE(patch.postFormatted(TestPatch::kFirst, -50.0, "f", 3.0));
    ASSERT_TRUE(
        patch.postFormatted(TestPatch::kFirst, std::numeric_limits<double>::infinity(), "f", 4.0));
    patch.run(16);
    EXPECT_EQ(valuesOf(patch), (std::vector<float>{2.0f, 3.0f, 4.0f}));
    ASSERT_FALSE(patch.queue().empty());
    EXPECT_EQ(patch.queue().head()->message->timestamp, 0x7FFFFFFFu);
}

TEST(Posting, FormattedMessagesCarryEveryElementType)
{
    TestPatch patch(10, 6, 2, kRate);
    static std::string description;
    patch.onDelivery = [](TestPatch&, const Message* m) {
        description = std::to_string(m->numElements) + (m->isBang(0) ? " b" : "") +
            (m->floatAt(1) == 2.5f ? " f" : "") + (m->hashAt(2) == 77u ? " h" : "") +
            (std::string(m->symbolAt(3)) == "word" ? " s" : "");
    };
    ASSERT_TRUE(patch.postFormatted(TestPatch::kFirst, 0.0, "bfhs", 2.5, 77, "word"));
    patch.run(1);
    EXPECT_EQ(description, "4 b f h s");
}

TEST(Posting, UnknownFormatLetterOrEmptyFormatIsRefused)
{
    TestPatch patch(10, 6, 2, kRate);
    EXPECT_FALSE(patch.postFormatted(TestPatch::kFirst, 0.0, "fx", 1.0, 2));
    EXPECT_FALSE(patch.postFormatted(TestPatch::kFirst, 0.0, ""));
    EXPECT_FALSE(patch.postFormatted(TestPatch::kFirst, 0.0, nullptr));
    patch.run(4);
    EXPECT_TRUE(patch.deliveries.empty());
}

TEST(Posting, PipeFillsUntilRefusalAndRecoversAfterDrain)
{
    TestPatch patch(64, 6, 2, kRate);
    int accepted = 0;
    while (patch.postFloat(TestPatch::kFirst, static_cast<float>(accepted)))
        ++accepted;
    // 40 bytes per one-float record in a 6 KiB ring.
    EXPECT_GE(accepted, 6 * 1024 / 40 - 2);
    EXPECT_FALSE(patch.postBang(TestPatch::kFirst));
    patch.run(1);
    ASSERT_EQ(patch.deliveries.size(), static_cast<size_t>(accepted));
    for (int i = 0; i < accepted; ++i)
        EXPECT_EQ(patch.deliveries[i].value, static_cast<float>(i));
    EXPECT_TRUE(patch.postFloat(TestPatch::kFirst, -1.0f));
}

TEST(Posting, OversizedMessagesAreRefusedEverywhere)
{
    TestPatch patch(1, 1, 2, kRate);
    // Does not fit a 1 KiB pipe; does not fit the u16 size field.
    const std::string longText(2000, 'x');
    EXPECT_FALSE(patch.postSymbol(TestPatch::kFirst, longText.c_str()));
    const std::string hugeText(70000, 'x');
    EXPECT_FALSE(patch.postSymbol(TestPatch::kFirst, hugeText.c_str()));
    // Fits the pipe but no pool chunk: accepted, then not scheduled.
    const std::string mediumText(300, 'x');
    EXPECT_TRUE(patch.postSymbol(TestPatch::kFirst, mediumText.c_str()));
    patch.run(1);
    EXPECT_TRUE(patch.deliveries.empty());

    MessageStorage<1> storage;
    EXPECT_EQ(patch.scheduleForObject(Message::initWithSymbol(storage.bytes, 0, mediumText.c_str()),
                  TestPatch::receiveFirst, 0),
        nullptr);
    // A 1 KiB pool holds 32 small messages and refuses the next.
    const Message* m = Message::initWithFloat(storage.bytes, 5, 1.0f);
    int scheduled = 0;
    while (patch.scheduleForObject(m, TestPatch::receiveFirst, 0) != nullptr)
        ++scheduled;
    EXPECT_EQ(scheduled, 32);
    patch.run(8);
    EXPECT_EQ(patch.deliveries.size(), 32u);
    EXPECT_NE(patch.scheduleForObject(m, TestPatch::receiveFirst, 0), nullptr);
}

TEST(Outbound, DefaultHookHandsMessagesToTheHost)
{
    TestPatch patch(10, 6, 2, kRate);
    ASSERT_EQ(patch.outboundHook(), &KrellContext::defaultSendHook);
    MessageStorage<2> storage;
    Message* m = Message::init(storage.bytes, 12, 2);
    m->setFloat(0, 4.0f);
    m->setSymbol(1, "outward");
    patch.outboundHook()(&patch, "out", 1234u, m);

    uint32_t hash = 99;
    MessageStorage<4> out;
    Message* received = reinterpret_cast<Message*>(out.bytes);
    // Too small a buffer: nothing written, the record waits for a larger one.
    out.bytes[31] = 0xAB;
    EXPECT_FALSE(patch.takeOutboundMessage(&hash, received, 32));
    EXPECT_EQ(hash, 0u);
    EXPECT_EQ(out.bytes[31], 0xAB);

    ASSERT_TRUE(patch.takeOutboundMessage(&hash, received, sizeof out.bytes));
    EXPECT_EQ(hash, 1234u);
    EXPECT_EQ(received->timestamp, 12u);
    EXPECT_EQ(received->floatAt(0), 4.0f);
    EXPECT_STREQ(received->symbolAt(1), "outward");
    // The text lives in the caller's buffer, not in the pipe.
    EXPECT_EQ(received->symbolAt(1), reinterpret_cast<const char*>(out.bytes) + 40);
    EXPECT_FALSE(patch.takeOutboundMessage(&hash, received, sizeof out.bytes));
}

TEST(Outbound, NothingToTakeWithoutTheDefaultHook)
{
    TestPatch patch(10, 6, 2, kRate);
    MessageStorage<1> storage;
    patch.outboundHook()(&patch, "out", 5u, Message::initWithBang(storage.bytes, 0));
    patch.setOutboundHook(
        [](KrellContextInterface*, const char*, uint32_t, const Message*) noexcept {});
    uint32_t hash = 99;
    MessageStorage<1> out;
    EXPECT_FALSE(
        patch.takeOutboundMessage(&hash, reinterpret_cast<Message*>(out.bytes), sizeof out.bytes));
    EXPECT_EQ(hash, 0u);

    TestPatch silent(10, 6, 0, kRate);
    EXPECT_EQ(silent.outboundHook(), nullptr);
    EXPECT_FALSE(
        silent.takeOutboundMessage(&hash, reinterpret_cast<Message*>(out.bytes), sizeof out.bytes));
}

TEST(Outbound, FullOutputPipeDropsMessages)
{
    TestPatch patch(10, 6, 1, kRate);
    MessageStorage<1> storage;
    for (int i = 0; i < 100; ++i) {
        patch.outboundHook()(
            &patch, "out", 1u, Message::initWithFloat(storage.bytes, 0, static_cast<float>(i)));
    }
    uint32_t hash = 0;
    MessageStorage<1> out;
    Message* received = reinterpret_cast<Message*>(out.bytes);
    int taken = 0;
    while (patch.takeOutboundMessage(&hash, received, sizeof out.bytes)) {
        EXPECT_EQ(received->floatAt(0), static_cast<float>(taken));
        ++taken;
    }
    EXPECT_GT(taken, 10);
    EXPECT_LT(taken, 100);
}

TEST(Context, TablesMemoryAndPipeSizes)
{
    TestPatch patch(10, 6, 2, kRate);
    EXPECT_EQ(patch.tableLength(TestPatch::kTable), 4u);
    ASSERT_NE(patch.tableBuffer(TestPatch::kTable), nullptr);
    EXPECT_EQ(patch.tableBuffer(TestPatch::kTable)[3], 4.0f);
    EXPECT_EQ(patch.tableLength(hashString("missing")), 0u);
    EXPECT_EQ(patch.tableBuffer(hashString("missing")), nullptr);
    EXPECT_FALSE(patch.resizeTable(hashString("missing"), 8));
    EXPECT_TRUE(patch.resizeTable(TestPatch::kTable, 8));
    EXPECT_EQ(patch.tableLength(TestPatch::kTable), 8u);

    EXPECT_EQ(patch.memorySize(), sizeof(KrellContext) + (10 + 6 + 2) * 1024u + 4 * 4u);
    EXPECT_EQ(patch.resizeInputPipe(1), 1024u);
    EXPECT_EQ(patch.resizeOutputPipe(0), 0u);
}

TEST(Context, PostsAfterResizingThePipeStartAfresh)
{
    TestPatch patch(10, 6, 2, kRate);
    ASSERT_TRUE(patch.postFloat(TestPatch::kFirst, 1.0f));
    patch.resizeInputPipe(2);
    ASSERT_TRUE(patch.postFloat(TestPatch::kFirst, 2.0f));
    patch.run(1);
    EXPECT_EQ(valuesOf(patch), (std::vector<float>{2.0f}));
}

TEST(Context, InputLockIsExclusive)
{
    TestPatch patch(10, 6, 2, kRate);
    EXPECT_TRUE(patch.tryLockInput());
    EXPECT_FALSE(patch.tryLockInput());
    patch.unlockInput();
    patch.lockInput();
    EXPECT_FALSE(patch.tryLockInput());
    patch.unlockInput();
    EXPECT_TRUE(patch.postBang(TestPatch::kFirst));
}
