// Test helpers for the groove patch; see GrooveHarness.h.
#include "GrooveHarness.h"

#include <gtest/gtest.h>

namespace groove_test {

PatchPtr makePatch(uint32_t poolKiB, uint32_t inputKiB, double sampleRate)
{
    PatchPtr patch(createPatch(poolKiB, inputKiB, 2, sampleRate));
    EXPECT_NE(patch, nullptr);
    return patch;
}

// Dayan tables 1, 2, 4, 8, 16; Baya tables 128 times 1 ... 64. Channel 0 is then
// 0.75 D + 0.25 B exactly, and 4 x channel 0 = 3 D + B with 3 D < 128.
float markerValue(int table)
{
    return table < kBaya1Table ? static_cast<float>(1 << table)
                               : 128.0f * static_cast<float>(1 << (table - kBaya1Table));
}

void installMarkers(KrellContextInterface& patch, uint32_t frames)
{
    for (int t = 0; t < kStrokeTableCount; ++t) {
        ASSERT_TRUE(patch.resizeTable(kStrokeTableNames[t].hash, frames));
        float* buffer = patch.tableBuffer(kStrokeTableNames[t].hash);
        for (uint32_t i = 0; i < frames; ++i)
            buffer[i] = markerValue(t);
    }
}

uint32_t soundingTables(float channel0)
{
    const auto sum = static_cast<uint32_t>(4.0f * channel0);
    const uint32_t baya = sum / 128;
    const uint32_t dayan = (sum % 128) / 3;
    return dayan | baya << kBaya1Table;
}

int drumStroke(uint32_t tables, int drum)
{
    const int first = drum == kDayan ? kDayan1Table : kBaya1Table;
    const int last = drum == kDayan ? kDayan5Table : kBaya7Table;
    int found = -1;
    for (int t = first; t <= last; ++t) {
        if (tables & (1u << t)) {
            EXPECT_EQ(found, -1) << "two strokes of one drum started together";
            found = t;
        }
    }
    return found;
}

int tableForIdx(int drum, int idx)
{
    static const int kDayanTables[] = {
        kDayan1Table, kDayan2Table, kDayan3Table, kDayan4Table, kDayan5Table};
    static const int kBayaTables[] = {
        kBaya1Table, kBaya2Table, kBaya3Table, -1, kBaya5Table, kBaya6Table, kBaya7Table};
    if (drum == kDayan)
        return idx < 5 ? kDayanTables[idx] : -1;
    return idx < 7 ? kBayaTables[idx] : -1;
}

int patternForFirstDraw(int drum, int idx)
{
    const float multiplier = drum == kDayan ? 8.0f : 10.0f;
    for (uint32_t p = 1; p < 100000; ++p) {
        const auto state = static_cast<uint32_t>(uint64_t{p} * 279470273u % 4294967291u);
        const float u = static_cast<float>(state >> 9) * (1.0f / 8388608.0f);
        if (static_cast<int>(u * multiplier) == idx)
            return static_cast<int>(p);
    }
    ADD_FAILURE() << "no pattern draws " << idx;
    return 1;
}

bool postStatus(KrellContextInterface& patch, float status, double delayMs)
{
    return patch.postFormatted(kRealtimeIn, delayMs, "ff", static_cast<double>(status), 0.0);
}

double delayForFrame(int frame, double sampleRate)
{
    return (frame + 0.5) * 1000.0 / sampleRate;
}

Stereo render(KrellContextInterface& patch, int frames)
{
    Stereo out{std::vector<float>(frames), std::vector<float>(frames)};
    float* outputs[2] = {out.left.data(), out.right.data()};
    EXPECT_EQ(patch.processBlock(nullptr, outputs, frames), frames);
    return out;
}

std::vector<uint32_t> tickAndRecord(KrellContextInterface& patch, int ticks)
{
    constexpr int kTicksPerBlock = 64;
    std::vector<uint32_t> started;
    for (int done = 0; done < ticks; done += kTicksPerBlock) {
        const int n = std::min(kTicksPerBlock, ticks - done);
        for (int i = 0; i < n; ++i)
            EXPECT_TRUE(postStatus(patch, 248.0f, delayForFrame(i)));
        const Stereo out = render(patch, n);
        for (int i = 0; i < n; ++i)
            started.push_back(soundingTables(out.left[i]));
    }
    return started;
}

std::vector<int> drumSteps(
    const std::vector<uint32_t>& perTick, int drum, int modulus, int steps, int firstTick)
{
    std::vector<int> tables;
    for (int s = 0; s < steps; ++s) {
        const size_t tick = static_cast<size_t>(firstTick + s * modulus);
        if (tick >= perTick.size())
            break;
        tables.push_back(drumStroke(perTick[tick], drum));
    }
    return tables;
}

std::vector<int> tablesForIdx(int drum, const std::vector<int>& idx)
{
    std::vector<int> tables;
    for (int i : idx)
        tables.push_back(tableForIdx(drum, i));
    return tables;
}

StrokePlayer::StrokePlayer(double sampleRate)
    : rate(sampleRate), patch(makePatch(10, 6, sampleRate))
{
    patch->postFloat(kDayanLengthReceiver, 0.0f);
    patch->postFloat(kBayaLengthReceiver, 0.0f);
}

void StrokePlayer::play(int dayanIdx, int bayaIdx, int frame)
{
    const int dayanPattern = patternForFirstDraw(kDayan, dayanIdx < 0 ? 7 : dayanIdx);
    const int bayaPattern = patternForFirstDraw(kBaya, bayaIdx < 0 ? 9 : bayaIdx);
    post(kDayanPatternReceiver, static_cast<float>(dayanPattern), frame);
    post(kBayaPatternReceiver, static_cast<float>(bayaPattern), frame);
    post(kTickBus, 0.0f, frame);
}

void StrokePlayer::post(uint32_t receiver, float value, int frame)
{
    EXPECT_TRUE(patch->postFormatted(
        receiver, delayForFrame(frame, rate), "f", static_cast<double>(value)));
}

void postParameters(KrellContextInterface& patch, float bayaLength, float bayaPattern,
    float bayaTempo, float dayanLength, float dayanPattern, float dayanTempo)
{
    const float values[] = {
        bayaLength, bayaPattern, bayaTempo, dayanLength, dayanPattern, dayanTempo};
    for (int i = 0; i < 6; ++i) {
        PatchParameterInfo info;
        patch.parameterInfo(i, &info);
        EXPECT_TRUE(patch.postFloat(info.hash, values[i]));
    }
}

} // namespace groove_test
