// The groove the program plays through JACK's transport, recorded by a test client, next to the
// groove a fresh plug-in renders for the same cycles: equal sample for sample when the program
// plays the values given. Test thread only.
#pragma once

#include "JackTestClient.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace StandaloneTest {

struct GrooveComparison {
    // Both channels, the first then the second.
    std::vector<float> recorded;
    std::vector<float> expected;
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
