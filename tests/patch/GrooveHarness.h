// Test helpers for the groove patch: creating patches, swapping the stroke tables for short marker
// recordings, posting events at exact frames and reading back which strokes started where.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "patch/Krell_Vantorel.h"
#include "patch/PatchInterface.h"
#include "patch/StrokeTables.h"

namespace groove_test {

constexpr double kSampleRate = 48000.0;
constexpr uint32_t kRealtimeIn = kRealtimeReceiver;

struct PatchDeleter {
    void operator()(Krell_Vantorel* patch) const { destroyPatch(patch); }
};
using PatchPtr = std::unique_ptr<Krell_Vantorel, PatchDeleter>;

PatchPtr makePatch(uint32_t poolKiB = 10, uint32_t inputKiB = 6, double sampleRate = kSampleRate);

// Stroke table t becomes `frames` copies of a marker value; in channel 0 the markers of the
// sounding tables add up to a sum that names each of them.
float markerValue(int table);
void installMarkers(KrellContextInterface& patch, uint32_t frames);
// Bit t set for every marker table t that sounds in a frame with this channel-0 value.
uint32_t soundingTables(float channel0);
// The one table of a drum among `tables`, or -1 for none.
int drumStroke(uint32_t tables, int drum);
// The table a drum's draw idx triggers, or -1 for a rest.
int tableForIdx(int drum, int idx);
// The smallest Pattern value whose first draw is idx (the generator's arithmetic, done here).
int patternForFirstDraw(int drum, int idx);

// Posts a MIDI status the way the host does: "ff" (status, 0) to ParamRealtimeIn.
bool postStatus(KrellContextInterface& patch, float status, double delayMs = 0.0);
// Delay that lands a post at `frame` of the next block.
double delayForFrame(int frame, double sampleRate = kSampleRate);

struct Stereo {
    std::vector<float> left;
    std::vector<float> right;
};
Stereo render(KrellContextInterface& patch, int frames);

// Sends `ticks` 248s, one per frame (several per block), and returns the marker tables that
// started at each tick's frame. Markers must be installed with one frame each.
std::vector<uint32_t> tickAndRecord(KrellContextInterface& patch, int ticks);

// Per step of a drum (ticks on which it plays, every `modulus` ticks from `firstTick`), its stroke
// table (-1 for a rest).
std::vector<int> drumSteps(
    const std::vector<uint32_t>& perTick, int drum, int modulus, int steps, int firstTick = 0);
// The expected tables for a list of draw indices.
std::vector<int> tablesForIdx(int drum, const std::vector<int>& idx);

// Length 0 reseeds at every step, so every step plays the first draw of the posted Pattern: a
// way to start any stroke on any frame.
struct StrokePlayer {
    explicit StrokePlayer(double sampleRate = kSampleRate);
    // Both drums draw idx at `frame` of the next block (-1: a rest).
    void play(int dayanIdx, int bayaIdx, int frame);
    // Posts a value to a receiver at `frame` of the next block.
    void post(uint32_t receiver, float value, int frame);

    double rate;
    PatchPtr patch;
};

// Posts the six parameters in the host's index order.
void postParameters(KrellContextInterface& patch, float bayaLength, float bayaPattern,
    float bayaTempo, float dayanLength, float dayanPattern, float dayanTempo);

} // namespace groove_test
