// Feeds every object kind and every operation code seeded random messages (NaNs, infinities,
// huge values, symbols, hashes, bangs, empty and multi-element messages) on every inlet. The
// sanitizer build turns any out-of-bounds read or undefined conversion into a failure.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <vector>

#include "RecordingContext.h"
#include "runtime/BinaryOpObject.h"
#include "runtime/BranchObject.h"
#include "runtime/CastObject.h"
#include "runtime/DelayObject.h"
#include "runtime/RandomObject.h"
#include "runtime/SliceObject.h"
#include "runtime/SystemObject.h"
#include "runtime/TablePlayer.h"
#include "runtime/UnaryOpObject.h"
#include "runtime/VarObject.h"

namespace {

// xorshift32: the same sequence on every platform and standard library.
class Prng {
public:
    explicit Prng(uint32_t seed) : fState(seed) { }
    uint32_t next()
    {
        fState ^= fState << 13;
        fState ^= fState >> 17;
        fState ^= fState << 5;
        return fState;
    }
    uint32_t below(uint32_t n) { return next() % n; }

private:
    uint32_t fState;
};

const char* const kWords[] = {"flush", "clear", "stop", "samplerate", "numInputChannels",
    "numOutputChannels", "currentTime", "table", "length", "size", "head", "small", "long", "float",
    "bang", "", "\xff\x80"};
constexpr int kWordCount = sizeof(kWords) / sizeof(kWords[0]);

const float kSpecialFloats[] = {0.0f, -0.0f, 1.0f, -1.0f, 0.5f, -0.5f, NAN, INFINITY, -INFINITY,
    1e30f, -1e30f, 2147483648.0f, -2147483648.0f, 4294967296.0f, FLT_MAX, -FLT_MAX, FLT_MIN / 4,
    31.0f, 32.0f, -33.0f, 6000.0f, -6001.0f};

float randomFloat(Prng& prng)
{
    switch (prng.below(3)) {
    case 0:
        return kSpecialFloats[prng.below(sizeof(kSpecialFloats) / sizeof(kSpecialFloats[0]))];
    case 1:
        return static_cast<float>(static_cast<int32_t>(prng.below(20001)) - 10000) / 8.0f;
    default: {
        const uint32_t bits = prng.next();
        float f;
        static_assert(sizeof f == sizeof bits);
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }
    }
}

void fillRandom(Prng& prng, Message* m)
{
    for (int i = 0; i < m->numElements; ++i) {
        switch (prng.below(5)) {
        case 0:
            m->setBang(i);
            break;
        case 1:
        case 2:
            m->setFloat(i, randomFloat(prng));
            break;
        case 3:
            m->setSymbol(i, kWords[prng.below(kWordCount)]);
            break;
        default:
            m->setHash(i, prng.below(2) ? hashString(kWords[prng.below(kWordCount)]) : prng.next());
            break;
        }
    }
}

// Reads back everything an object emitted, so that sanitizers see every byte of it.
void checkSent(RecordingContext& context)
{
    for (const Recorded& r : context.sent) {
        ASSERT_GE(r.outlet, 0);
        ASSERT_LE(r.outlet, 2);
    }
    context.sent.clear();
}

struct Objects {
    VarObject var;
    SliceObject slice;
    BranchObject branch;
    RandomObject random;
    DelayObject delay;
    BinaryOpObject binary;
    TablePlayer player;
};

void deliver(RecordingContext& context, Objects& o, Prng& prng, int inlet, const Message* m)
{
    constexpr auto record = RecordingContext::record;
    // One past the last code of each enumeration checks the fallback too.
    const auto binaryOp = static_cast<BinaryOp>(prng.below(25));
    switch (prng.below(11)) {
    case 0:
        o.var.onMessage(&context, inlet, m, record);
        break;
    case 1:
        o.slice.onMessage(&context, inlet, m, record);
        break;
    case 2:
        o.branch.onMessage(&context, inlet, m, record);
        break;
    case 3:
        o.random.onMessage(&context, inlet, m, record);
        for (const Recorded& r : context.sent) {
            ASSERT_GE(r.elements[0].f, 0.0f);
            ASSERT_LT(r.elements[0].f, 1.0f);
        }
        break;
    case 4:
        o.delay.onMessage(&context, inlet, m, RecordingContext::delayOutlet);
        break;
    case 5:
        o.binary.onMessage(&context, binaryOp, inlet, m, record);
        break;
    case 6:
        BinaryOpObject::onMessageConstant(&context, binaryOp, randomFloat(prng), inlet, m, record);
        break;
    case 7:
        UnaryOpObject::onMessage(&context, static_cast<UnaryOp>(prng.below(22)), inlet, m, record);
        break;
    case 8:
        CastObject::onMessage(&context, static_cast<CastKind>(prng.below(3)), inlet, m, record);
        break;
    case 9:
        SystemObject::onMessage(&context, inlet, m, record);
        break;
    default:
        o.player.onMessage(&context, inlet, m, record);
        break;
    }
}

// Every code on every pair of awkward operands: rare pairs such as INT_MIN and -1 are certain here.
TEST(ObjectFuzz, EveryOperationCodeOnEveryPairOfSpecialValues)
{
    for (int code = 0; code <= 24; ++code) {
        const bool integerResult = code >= 4 && code <= 11 && code != 6;
        const bool truthResult = code >= 12 && code <= 19;
        for (float f : kSpecialFloats) {
            if (code <= 21) {
                const float y = applyUnaryOp(static_cast<UnaryOp>(code), f);
                if (code >= 14 && code <= 17 && !(f > 0.0f)) {
                    EXPECT_EQ(y, 0.0f) << code << " " << f;
                }
            }
            for (float k : kSpecialFloats) {
                const float r = applyBinaryOp(static_cast<BinaryOp>(code), f, k);
                if (integerResult) {
                    EXPECT_LE(std::fabs(r), 2147483648.0f) << code << " " << f << " " << k;
                }
                if (truthResult || code == 24) {
                    EXPECT_TRUE(r == 0.0f || r == 1.0f) << code << " " << f << " " << k;
                }
            }
        }
    }
}

TEST(ObjectFuzz, RandomMessagesOnEveryInletStayDefinedAndBounded)
{
    RecordingContext context;
    const float small[] = {0.25f, -0.25f, 1.0f};
    ASSERT_TRUE(context.smallTable.create(3, small));
    std::vector<float> longValues(6000, 0.5f);
    ASSERT_TRUE(context.longTable.create(6000, longValues.data()));
    Objects o;
    context.delay = &o.delay;
    o.var.initFloat(1.0f);
    o.slice.init(1, -1);
    o.random.init(7);
    o.delay.init(&context, 1.0f);
    o.binary.init(2.0f);
    o.player.init(&context.smallTable, false);

    Prng prng(0x5EED1234u);
    for (int iteration = 0; iteration < 40000; ++iteration) {
        TestMessage m(
            context.blockStartSample() + prng.below(4000), static_cast<int>(prng.below(6)));
        fillRandom(prng, m.get());
        deliver(context, o, prng, static_cast<int>(prng.below(4)), m);
        checkSent(context);
        if (prng.below(8) == 0) {
            const int frames = static_cast<int>(prng.below(64)) + 1;
            for (int i = 0; i < frames; ++i) {
                const float sample = o.player.process(&context, RecordingContext::record);
                ASSERT_TRUE(sample == 0.0f || sample == 0.5f || sample == 0.25f ||
                    sample == -0.25f || sample == 1.0f)
                    << sample;
            }
            context.run(frames);
            checkSent(context);
        }
    }
    // Everything still pending leaves cleanly.
    o.delay.onMessage(
        &context, 0, symbol(context.blockStartSample(), "clear"), RecordingContext::delayOutlet);
    context.run(1 << 12);
}

} // namespace
