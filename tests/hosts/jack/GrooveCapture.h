// The groove the program plays through JACK's transport, recorded by a test client, next to the
// groove (and the MIDI) a fresh plug-in renders for the same cycles: equal sample for sample when
// the program plays the values given. Test thread only.
#pragma once

#include "JackTestClient.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace StandaloneTest {

// A MIDI message at a frame counted from the first recorded cycle (or, as jack_midi_dump prints
// it, from the message before).
struct TimedMidi {
    uint64_t frame;
    std::vector<uint8_t> bytes;
};

struct GrooveComparison {
    // Both channels, the first then the second.
    std::vector<float> recorded;
    std::vector<float> expected;
    // What the fresh plug-in sent on its MIDI output.
    std::vector<TimedMidi> expectedMidi;
    uint32_t rollingCycles = 0;
};

// `capture` is made and not yet active; it becomes the timebase master at 120 bpm, records the
// program's two outputs (full port names) while the transport rolls for about two seconds and
// stands for about two more.
GrooveComparison recordGroove(JackTestClient& capture, const std::string& first,
    const std::string& second, const std::vector<std::pair<uint32_t, float>>& values);

// Whether `audio` is 0 from `from` up to `to`.
bool silent(const std::vector<float>& audio, size_t from, size_t to);

} // namespace StandaloneTest
