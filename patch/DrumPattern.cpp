// The draws of the sequencer redone in plain code; see DrumPattern.h. Any thread.
#include "DrumPattern.h"

#include <cstdint>

namespace {
// The sequencer's generator: state x 279470273 mod (2^32 - 5), then the top 23 bits as a float.
constexpr uint64_t kMultiplier = 279470273u;
constexpr uint64_t kModulus = 4294967291u;

// By stroke table: dayan1 to dayan5, then baya1 to baya7.
constexpr const char* kTableBols[kStrokeTableCount] = {
    "Na", "Te", "Tun", "Tin", "Tit", "Ka", "Ke", "Ghe", "Ghe", "Ga", "Ge", "Ghe"};
} // namespace

DrumCycle drumCycle(int drum, int pattern, int length) noexcept
{
    DrumCycle cycle;
    cycle.length = length < 1 ? 1 : length > kMaxCycleLength ? kMaxCycleLength : length;
    const DrumRecord& record = kDrumRecords[drum == kBaya ? kBaya : kDayan];
    // The seed inlet keeps the low 32 bits of the integer, negative values wrapping.
    auto state = static_cast<uint32_t>(pattern);
    for (int step = 0; step < cycle.length; ++step) {
        state = static_cast<uint32_t>(state * kMultiplier % kModulus);
        const float u = static_cast<float>(state >> 9) * 0x1p-23f;
        // The product is rounded to float before the floor, as the multiply object does.
        const float scaled = u * record.drawMultiplier;
        const auto idx = static_cast<int>(scaled);
        cycle.voices[step] = idx < kStrokeEntryCount ? record.strokes[idx].trigger : kRest;
    }
    return cycle;
}

const char* voiceBol(int voice) noexcept
{
    return voice >= 0 && voice < kVoiceCount ? kTableBols[kVoiceTable[voice]] : "";
}
