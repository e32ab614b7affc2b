// Var, slice, branch, random, cast and system objects driven through their inlets.
#include <gtest/gtest.h>

#include <cmath>

#include "RecordingContext.h"
#include "runtime/BranchObject.h"
#include "runtime/CastObject.h"
#include "runtime/RandomObject.h"
#include "runtime/SliceObject.h"
#include "runtime/SystemObject.h"
#include "runtime/VarObject.h"

namespace {

constexpr auto record = RecordingContext::record;

TEST(VarObject, StoresFloatsAndNamesAndReemitsThemOnBang)
{
    RecordingContext context;
    VarObject var;
    var.onMessage(&context, 0, bang(1), record);
    EXPECT_TRUE(context.sent.empty()) << "nothing stored yet";

    var.initFloat(3.0f);
    var.onMessage(&context, 0, bang(7), record);
    ASSERT_EQ(context.sent.size(), 1u);
    EXPECT_TRUE(context.sent[0].isFloat(3.0f));
    EXPECT_EQ(context.sent[0].timestamp, 7u);

    // A float passes through whole and becomes the value.
    var.onMessage(&context, 0, floats(8, {5.0f, 6.0f}), record);
    ASSERT_EQ(context.sent.size(), 2u);
    EXPECT_EQ(context.sent[1].elements.size(), 2u);
    var.onMessage(&context, 0, bang(9), record);
    EXPECT_TRUE(context.sent[2].isFloat(5.0f));

    // A symbol is stored as its hash; inlet 1 stores without output.
    var.onMessage(&context, 0, symbol(10, "dha"), record);
    EXPECT_EQ(context.sent[3].elements[0].s, "dha");
    var.onMessage(&context, 0, bang(11), record);
    EXPECT_EQ(context.sent[4].elements[0].type, ElementType::Hash);
    EXPECT_EQ(context.sent[4].elements[0].h, hashString("dha"));

    var.onMessage(&context, 1, floats(12, {-2.0f}), record);
    EXPECT_EQ(context.sent.size(), 5u);
    var.onMessage(&context, 0, bang(13), record);
    EXPECT_TRUE(context.sent[5].isFloat(-2.0f));
}

TEST(SliceObject, EmitsTheRangeOrABangWhenTooShort)
{
    RecordingContext context;
    SliceObject slice;
    slice.init(1, -1);
    TestMessage three(4, 3);
    three.get()->setFloat(0, 1.0f);
    three.get()->setSymbol(1, "ge");
    three.get()->setFloat(2, 3.0f);
    slice.onMessage(&context, 0, three, record);
    ASSERT_EQ(context.sent.size(), 1u);
    const Recorded& tail = context.sent[0];
    EXPECT_EQ(tail.outlet, 0);
    EXPECT_EQ(tail.timestamp, 4u);
    ASSERT_EQ(tail.elements.size(), 2u);
    EXPECT_EQ(tail.elements[0].s, "ge");
    EXPECT_EQ(tail.elements[1].f, 3.0f);

    slice.onMessage(&context, 0, floats(5, {1.0f}), record);
    ASSERT_EQ(context.sent.size(), 2u);
    EXPECT_EQ(context.sent[1].outlet, 1);
    EXPECT_TRUE(context.sent[1].isBang());

    // Start and count through inlet 1, count alone through inlet 2.
    slice.onMessage(&context, 1, floats(0, {0.0f, 2.0f}), record);
    slice.onMessage(&context, 0, floats(6, {7.0f, 8.0f, 9.0f}), record);
    EXPECT_EQ(context.sent[2].elements.size(), 2u);
    EXPECT_EQ(context.sent[2].elements[1].f, 8.0f);
    slice.onMessage(&context, 2, floats(0, {1.0f}), record);
    slice.onMessage(&context, 0, floats(6, {7.0f, 8.0f, 9.0f}), record);
    EXPECT_TRUE(context.sent[3].isFloat(7.0f));
}

TEST(SliceObject, NegativeStartCountsAsZeroAndLongSlicesAreCut)
{
    RecordingContext context;
    SliceObject slice;
    slice.init(0, 0);
    slice.onMessage(&context, 1, floats(0, {-5.0f, 2.0f}), record);
    slice.onMessage(&context, 0, floats(1, {7.0f, 8.0f, 9.0f}), record);
    ASSERT_EQ(context.sent.size(), 1u);
    ASSERT_EQ(context.sent[0].elements.size(), 2u);
    EXPECT_EQ(context.sent[0].elements[0].f, 7.0f);

    slice.init(-1000, 0);
    constexpr int kLong = SliceObject::kMaxElements + 36;
    std::vector<unsigned char> bytes(Message::coreSize(kLong));
    Message* longMessage = Message::init(bytes.data(), 2, kLong);
    for (int i = 0; i < kLong; ++i)
        longMessage->setFloat(i, static_cast<float>(i));
    slice.onMessage(&context, 0, longMessage, record);
    ASSERT_EQ(context.sent.size(), 2u);
    ASSERT_EQ(context.sent[1].elements.size(), static_cast<size_t>(SliceObject::kMaxElements));
    EXPECT_EQ(context.sent[1].elements.back().f, SliceObject::kMaxElements - 1.0f);
}

TEST(BranchObject, RoutesByConditionAndNaNIsFalse)
{
    RecordingContext context;
    BranchObject branch;
    branch.init(false);
    branch.onMessage(&context, 0, floats(1, {1.0f, 2.0f}), record);
    branch.onMessage(&context, 1, floats(0, {0.5f}), record);
    branch.onMessage(&context, 0, symbol(2, "na"), record);
    branch.onMessage(&context, 1, floats(0, {NAN}), record);
    branch.onMessage(&context, 0, bang(3), record);
    ASSERT_EQ(context.sent.size(), 3u);
    EXPECT_EQ(context.sent[0].outlet, 0);
    EXPECT_EQ(context.sent[0].elements.size(), 2u);
    EXPECT_EQ(context.sent[1].outlet, 1);
    EXPECT_EQ(context.sent[1].elements[0].s, "na");
    EXPECT_EQ(context.sent[2].outlet, 0);
}

TEST(RandomObject, ZeroSeedStartsFromOneAndSeedingRestartsTheSequence)
{
    RecordingContext context;
    RandomObject random;
    random.init(0);
    random.onMessage(&context, 0, bang(5), record);
    EXPECT_EQ(random.state, 279470273u);
    ASSERT_EQ(context.sent.size(), 1u);
    EXPECT_EQ(context.sent[0].timestamp, 5u);
    EXPECT_FLOAT_EQ(context.sent[0].elements[0].f, (279470273u >> 9) * 0x1p-23f);
    EXPECT_NEAR(context.sent[0].elements[0].f, 0.0650, 1e-4);

    random.onMessage(&context, 0, symbol(6, "anything"), record);
    const float second = context.sent[1].elements[0].f;
    random.onMessage(&context, 1, floats(0, {1.0f}), record);
    random.onMessage(&context, 0, bang(7), record);
    random.onMessage(&context, 0, bang(8), record);
    EXPECT_EQ(context.sent[3].elements[0].f, second);

    // Seeding with 0 (or a non-finite value) parks the generator at 0, where it stays;
    // negative seeds keep their low 32 bits.
    for (float seed : {0.0f, NAN, INFINITY}) {
        random.onMessage(&context, 1, floats(0, {seed}), record);
        EXPECT_EQ(random.state, 0u) << seed;
        random.onMessage(&context, 0, bang(9), record);
        EXPECT_EQ(context.sent.back().elements[0].f, 0.0f);
    }
    random.onMessage(&context, 1, floats(0, {-1.0f}), record);
    EXPECT_EQ(random.state, 0xFFFFFFFFu);
    random.onMessage(&context, 1, floats(0, {1e10f}), record);
    EXPECT_EQ(random.state, 1410065408u);
    for (int i = 0; i < 100; ++i)
        random.onMessage(&context, 0, bang(9), record);
    for (const Recorded& r : context.sent) {
        EXPECT_GE(r.elements[0].f, 0.0f);
        EXPECT_LT(r.elements[0].f, 1.0f);
    }
}

TEST(CastObject, ConvertsToBangFloatAndSymbol)
{
    RecordingContext context;
    CastObject::onMessage(&context, CastKind::ToBang, 0, symbol(3, "x"), record);
    CastObject::onMessage(&context, CastKind::ToFloat, 0, floats(4, {2.0f, 9.0f}), record);
    CastObject::onMessage(&context, CastKind::ToFloat, 0, symbol(4, "x"), record);
    CastObject::onMessage(&context, CastKind::ToSymbol, 0, floats(5, {3.0f}), record);
    CastObject::onMessage(&context, CastKind::ToSymbol, 0, bang(6), record);
    CastObject::onMessage(&context, CastKind::ToSymbol, 0, symbol(7, "tin"), record);
    CastObject::onMessage(&context, CastKind::ToSymbol, 0, hashed(8, "tin"), record);
    ASSERT_EQ(context.sent.size(), 5u);
    EXPECT_TRUE(context.sent[0].isBang());
    EXPECT_EQ(context.sent[0].timestamp, 3u);
    EXPECT_TRUE(context.sent[1].isFloat(2.0f));
    EXPECT_EQ(context.sent[2].elements[0].s, "float");
    EXPECT_EQ(context.sent[2].timestamp, 5u);
    EXPECT_EQ(context.sent[3].elements[0].s, "bang");
    EXPECT_EQ(context.sent[4].elements[0].s, "tin");
}

TEST(SystemObject, AnswersContextAndTableQueries)
{
    RecordingContext context(44100.0);
    const float values[] = {1.0f, 2.0f, 3.0f};
    ASSERT_TRUE(context.smallTable.create(3, values));
    SystemObject::onMessage(&context, 0, symbol(1, "samplerate"), record);
    SystemObject::onMessage(&context, 0, hashed(2, "numInputChannels"), record);
    SystemObject::onMessage(&context, 0, symbol(3, "numOutputChannels"), record);
    SystemObject::onMessage(&context, 0, symbol(1234, "currentTime"), record);
    ASSERT_EQ(context.sent.size(), 4u);
    EXPECT_TRUE(context.sent[0].isFloat(44100.0f));
    EXPECT_TRUE(context.sent[1].isFloat(3.0f));
    EXPECT_TRUE(context.sent[2].isFloat(2.0f));
    EXPECT_TRUE(context.sent[3].isFloat(1234.0f));

    TestMessage query(5, 3);
    query.get()->setSymbol(0, "table");
    query.get()->setHash(1, RecordingContext::kSmallTable);
    query.get()->setSymbol(2, "size");
    SystemObject::onMessage(&context, 0, query, record);
    ASSERT_EQ(context.sent.size(), 5u);
    EXPECT_TRUE(context.sent[4].isFloat(3.0f));

    // Unknown table, unknown field, missing field, a float instead of a word: no output.
    query.get()->setHash(1, hashString("nowhere"));
    SystemObject::onMessage(&context, 0, query, record);
    query.get()->setSymbol(1, "small");
    query.get()->setSymbol(2, "width");
    SystemObject::onMessage(&context, 0, query, record);
    query.get()->numElements = 2;
    SystemObject::onMessage(&context, 0, query, record);
    SystemObject::onMessage(&context, 0, floats(6, {1.0f}), record);
    EXPECT_EQ(context.sent.size(), 5u);
}

} // namespace
