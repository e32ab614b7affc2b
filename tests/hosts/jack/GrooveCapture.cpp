// Records the program's groove and renders the reference. Test thread, except the test client's
// callbacks.
#include "GrooveCapture.h"

#include "JackTransport.h"
#include "PendingValues.h"
#include "PluginAdapter.h"

#include <algorithm>
#include <cstring>

namespace StandaloneTest {

namespace {

struct MidiRecording {
    std::vector<TimedMidi>& messages;
    uint64_t cycleStart = 0;

    static bool write(void* self, const Orvane::MidiMessage& message) noexcept
    {
        auto* recording = static_cast<MidiRecording*>(self);
        recording->messages.push_back({recording->cycleStart + message.frame,
            std::vector<uint8_t>(message.data, message.data + message.size)});
        return true;
    }
};

std::vector<float> referenceRender(const std::vector<RecordedCycle>& cycles, uint32_t count,
    const std::vector<std::pair<uint32_t, float>>& values, std::vector<TimedMidi>& midi)
{
    Orvane::pendingSampleRate = 48000.0;
    Orvane::pendingBufferSize = 256;
    MidiRecording recording{midi};
    Orvane::PluginAdapter plugin(&recording, &MidiRecording::write, nullptr, nullptr);
    for (const auto& [index, value] : values)
        plugin.setParameterValue(index, value);
    std::vector<float> left;
    std::vector<float> right;
    for (uint32_t c = 0; c < count; ++c) {
        const auto& cycle = cycles[c];
        std::vector<float> l(cycle.frames);
        std::vector<float> r(cycle.frames);
        float* outputs[2] = {l.data(), r.data()};
        Orvane::jack_position_t position;
        static_assert(sizeof(position) == sizeof(cycle.position));
        std::memcpy(&position, &cycle.position, sizeof(position));
        plugin.setTransportInfo(Orvane::transportFromJack(
            static_cast<Orvane::jack_transport_state_t>(cycle.state), position));
        plugin.runCycle(nullptr, outputs, cycle.frames, nullptr, 0);
        recording.cycleStart += cycle.frames;
        left.insert(left.end(), l.begin(), l.end());
        right.insert(right.end(), r.begin(), r.end());
    }
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

} // namespace

GrooveComparison recordGroove(JackTestClient& capture, const std::string& first,
    const std::string& second, const std::vector<std::pair<uint32_t, float>>& values)
{
    GrooveComparison result;
    capture.becomeTimebaseMaster(120.0);
    if (!capture.activate() || !capture.connectFrom(first, 0) || !capture.connectFrom(second, 1))
        return result;

    jack_transport_locate(capture.client(), 0);
    capture.startRecording();
    if (!capture.waitForCycles(8))
        return result;
    jack_transport_start(capture.client());
    const bool rolled = capture.waitForCycles(8 + 400); // about two seconds of groove
    jack_transport_stop(capture.client());
    if (!rolled || !capture.waitForCycles(8 + 400 + 400))
        return result;
    capture.stopRecording();

    const uint32_t count = capture.recordedCycleCount();
    size_t frames = 0;
    for (uint32_t c = 0; c < count; ++c) {
        frames += capture.cycles()[c].frames;
        result.rollingCycles += capture.cycles()[c].state == JackTransportRolling ? 1 : 0;
    }
    result.expected = referenceRender(capture.cycles(), count, values, result.expectedMidi);
    result.recorded.assign(capture.audio(0).begin(), capture.audio(0).begin() + frames);
    result.recorded.insert(
        result.recorded.end(), capture.audio(1).begin(), capture.audio(1).begin() + frames);
    return result;
}

bool silent(const std::vector<float>& audio, size_t from, size_t to)
{
    return std::all_of(audio.begin() + from, audio.begin() + to, [](float v) { return v == 0.0f; });
}

} // namespace StandaloneTest
