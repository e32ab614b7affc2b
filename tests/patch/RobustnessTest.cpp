// The patch under hostile or endless input: untrusted values on every receiver, and counters
// that must keep the groove exact after days of clock without a stop.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "GrooveHarness.h"

using namespace groove_test;

namespace {

constexpr uint32_t kReceivers[] = {
    kDayanLengthReceiver,
    kDayanPatternReceiver,
    kDayanTempoReceiver,
    kBayaLengthReceiver,
    kBayaPatternReceiver,
    kBayaTempoReceiver,
    kRealtimeIn,
    kInitReceiver,
    kTickBus,
    kDayanLengthBus,
    kBayaLengthBus,
    kDayanSeedBus,
    kBayaSeedBus,
};

float awkwardFloat(std::mt19937& random)
{
    constexpr float kInf = std::numeric_limits<float>::infinity();
    const float special[] = {std::numeric_limits<float>::quiet_NaN(),
        -std::numeric_limits<float>::quiet_NaN(), kInf, -kInf, 3.4e38f, -3.4e38f, 1e-45f, -0.0f,
        0.0f, 2147483648.0f, -2147483648.0f, 4294967296.0f, 4294967291.0f, 16777217.0f, 8388608.5f,
        248.0f, 252.0f, 250.0f, 4.0f, 2.5f, -1.0f, 1337.0f, 720720.0f};
    if (random() % 3 == 0)
        return std::uniform_real_distribution<float>(-2000.0f, 2000.0f)(random);
    return special[random() % (sizeof special / sizeof special[0])];
}

// One random message: floats, bangs, symbols, hashes and their mixtures, from 0 to 3 elements.
void postRandomMessage(KrellContextInterface& patch, std::mt19937& random)
{
    static const char* kWords[] = {
        "stop", "length", "seed", "symbol", "float", "bang", "", "flush", "\xff\x80"};
    const uint32_t hash =
        random() % 8 == 0 ? static_cast<uint32_t>(random()) : kReceivers[random() % 13];
    const int count = static_cast<int>(random() % 4);
    alignas(8) unsigned char storage[Message::coreSize(3)];
    Message* m = Message::init(storage, 0, static_cast<uint16_t>(count));
    for (int i = 0; i < count; ++i) {
        switch (random() % 5) {
        case 0:
            m->setBang(i);
            break;
        case 1:
            m->setSymbol(i, kWords[random() % 9]);
            break;
        case 2:
            m->setHash(i, random() % 2 ? static_cast<uint32_t>(random()) : hashString("stop"));
            break;
        default:
            m->setFloat(i, awkwardFloat(random));
            break;
        }
    }
    // Far-future delays are left out: waiting messages would fill the pool for hours.
    const double delays[] = {
        0.0, -5.0, std::nan(""), std::numeric_limits<double>::infinity(), -1e300, 1.3};
    patch.postMessage(hash, delays[random() % 6], m);
}

TEST(Robustness, UntrustedValuesOnEveryReceiver)
{
    std::mt19937 random(20261208);
    auto patch = makePatch();
    std::vector<float> left(700), right(700);
    float* outputs[2] = {left.data(), right.data()};
    for (int block = 0; block < 20000; ++block) {
        const int posts = static_cast<int>(random() % 8);
        for (int i = 0; i < posts; ++i)
            postRandomMessage(*patch, random);
        if (random() % 2)
            postStatus(*patch, 248.0f, delayForFrame(static_cast<int>(random() % 64)));
        const int frames = static_cast<int>(random() % 70);
        ASSERT_EQ(patch->processBlock(nullptr, outputs, frames), frames);
        for (int i = 0; i < frames; ++i) {
            // Twelve voices of recordings within [-1, 1] cannot mix to more than 12.
            ASSERT_TRUE(std::isfinite(left[i]) && std::fabs(left[i]) <= 12.0f) << left[i];
            ASSERT_TRUE(std::isfinite(right[i]) && std::fabs(right[i]) <= 12.0f) << right[i];
        }
    }
    patch->routeToReceiver(kTickBus, nullptr);

    // Sane values bring the groove back, once the fuzz's late ticks have run.
    render(*patch, 128);
    postStatus(*patch, 252.0f);
    postParameters(*patch, 4, 1, 2, 4, 1, 2);
    installMarkers(*patch, 1);
    const auto started = tickAndRecord(*patch, 96);
    int strokes = 0;
    for (size_t t = 0; t < started.size(); ++t) {
        if (t % 24 != 0) {
            EXPECT_EQ(started[t], 0u) << "tick " << t;
        }
        strokes += started[t] != 0;
    }
    EXPECT_GE(strokes, 2);
}

// Many 248s (or TickBus values) per block through a large pipe and pool.
void send(KrellContextInterface& patch, uint32_t hash, float status, long count)
{
    constexpr long kPerBlock = 1000;
    std::vector<float> left(1), right(1);
    float* outputs[2] = {left.data(), right.data()};
    for (long done = 0; done < count; done += kPerBlock) {
        const long n = std::min(kPerBlock, count - done);
        for (long i = 0; i < n; ++i)
            ASSERT_TRUE(patch.postFormatted(hash, 0.0, "f", double{status}));
        patch.processBlock(nullptr, outputs, 1);
    }
}

struct Settings {
    float bayaLength, bayaPattern, bayaTempo, dayanLength, dayanPattern, dayanTempo;
};

// A patch that has had `count` messages, and a fresh one that has had `count % period`: the
// ticks that follow must start the same strokes in both. Returns what they started.
std::vector<uint32_t> expectSameContinuation(
    const Settings& s, uint32_t hash, float value, long count, long period, int ticks)
{
    PatchPtr patches[2] = {makePatch(256, 64), makePatch(256, 64)};
    for (PatchPtr& patch : patches) {
        postParameters(*patch, s.bayaLength, s.bayaPattern, s.bayaTempo, s.dayanLength,
            s.dayanPattern, s.dayanTempo);
    }
    send(*patches[0], hash, value, count);
    send(*patches[1], hash, value, count % period);
    for (PatchPtr& patch : patches)
        installMarkers(*patch, 1);
    const auto expected = tickAndRecord(*patches[1], ticks);
    EXPECT_EQ(tickAndRecord(*patches[0], ticks), expected);
    return expected;
}

// At these settings the groove repeats every 576 ticks (the tick grid every 144, the Dayan's
// four steps every 64, the Baya's every 96), so after any number of ticks it must continue
// like a fresh groove after the same number modulo 576.
TEST(Robustness, TickCountStaysExactPastTheFloatLimit)
{
    constexpr long kTicks = 16777300;
    const auto expected =
        expectSameContinuation({4, 1337, 2, 4, 2, 1}, kRealtimeIn, 248.0f, kTicks, 576, 576);
    // The expectation is a real groove: the Dayan every 16 ticks, the Baya every 24.
    int dayanSteps = 0, bayaSteps = 0;
    for (size_t t = 0; t < expected.size(); ++t) {
        const bool dayan = drumStroke(expected[t], kDayan) >= 0,
                   baya = drumStroke(expected[t], kBaya) >= 0;
        dayanSteps += dayan;
        bayaSteps += baya;
        EXPECT_TRUE(!dayan || (t + kTicks % 576) % 16 == 0) << t;
        EXPECT_TRUE(!baya || (t + kTicks % 576) % 24 == 0) << t;
    }
    EXPECT_GE(dayanSteps, 18); // Pattern 2 rests on two of its four steps
    EXPECT_GE(bayaSteps, 12);
}

// Lengths 7 and 16 both divide the step count's wrap, so the patterns run on across it. TickBus
// steps both drums; afterwards tick 0 and every 24th tick step them again: 112 steps.
TEST(Robustness, StepCountWrapIsInaudibleForEveryHostLength)
{
    expectSameContinuation({16, 3, 2, 7, 5, 2}, kTickBus, 0.0f, 720720 + 5, 112, 112 * 24);
}

} // namespace
