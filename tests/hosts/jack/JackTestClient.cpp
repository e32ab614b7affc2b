// The tests' JACK client. Test thread, except process and timebase (JACK's process thread).
#include "JackTestClient.h"

#include <jack/midiport.h>

#include <chrono>
#include <cstring>
#include <thread>

namespace StandaloneTest {

JackTestClient::JackTestClient(const char* name, size_t maxFrames)
{
    jack_status_t status;
    fClient = jack_client_open(name, JackNoStartServer, &status);
    if (fClient == nullptr)
        return;
    fInputs[0] = jack_port_register(fClient, "in_1", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
    fInputs[1] = jack_port_register(fClient, "in_2", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
    fMidiOut = jack_port_register(fClient, "midi_out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
    const size_t cycles = maxFrames / 16 + 1;
    fCycles.resize(cycles);
    fAudio[0].resize(maxFrames);
    fAudio[1].resize(maxFrames);
    jack_set_process_callback(fClient, processCallback, this);
}

JackTestClient::~JackTestClient()
{
    if (fClient != nullptr) {
        jack_deactivate(fClient);
        jack_client_close(fClient);
    }
}

void JackTestClient::becomeTimebaseMaster(double beatsPerMinute)
{
    fBeatsPerMinute = beatsPerMinute;
    jack_set_timebase_callback(fClient, 0, timebaseCallback, this);
}

bool JackTestClient::activate()
{
    return jack_activate(fClient) == 0;
}

namespace {

// The server refuses connections to a client that registered its ports but is not active yet
// (the program between its start and its activation): tries again, within a bound.
bool connectOnceActive(jack_client_t* client, const char* source, const char* destination)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (jack_connect(client, source, destination) != 0) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

} // namespace

bool JackTestClient::connectFrom(const std::string& source, int input)
{
    return connectOnceActive(fClient, source.c_str(), jack_port_name(fInputs[input]));
}

bool JackTestClient::connectMidiTo(const std::string& destination)
{
    return connectOnceActive(fClient, jack_port_name(fMidiOut), destination.c_str());
}

bool JackTestClient::connect(const std::string& source, const std::string& destination)
{
    return connectOnceActive(fClient, source.c_str(), destination.c_str());
}

bool JackTestClient::sendBatch(const std::vector<MidiBytes>& batch)
{
    fBatch = batch;
    fBatchPending.store(true);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (fBatchPending.load()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

void JackTestClient::startClock(uint32_t framesPerTick)
{
    fClockPeriod.store(framesPerTick);
}

void JackTestClient::stopClock()
{
    fClockPeriod.store(0);
}

void JackTestClient::startRecording()
{
    fCycleCount.store(0);
    fAudioFrames = 0;
    fRecording.store(true);
}

void JackTestClient::stopRecording()
{
    fRecording.store(false);
}

bool JackTestClient::waitForCycles(uint32_t cycles, double seconds) const
{
    const auto deadline = std::chrono::steady_clock::now() +
        std::chrono::milliseconds(static_cast<long>(seconds * 1000));
    while (fCycleCount.load() < cycles) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

bool JackTestClient::recordTransportRun(uint32_t before, uint32_t rolling, uint32_t after)
{
    jack_transport_locate(fClient, 0);
    startRecording();
    bool waited = waitForCycles(before);
    jack_transport_start(fClient);
    waited = waited && waitForCycles(before + rolling);
    jack_transport_stop(fClient);
    waited = waited && waitForCycles(before + rolling + after);
    stopRecording();
    return waited;
}

size_t JackTestClient::recordedFrames() const
{
    size_t frames = 0;
    for (uint32_t c = 0; c < recordedCycleCount(); ++c)
        frames += fCycles[c].frames;
    return frames;
}

std::vector<float> JackTestClient::recordedStereo() const
{
    const size_t frames = recordedFrames();
    std::vector<float> audio(fAudio[0].begin(), fAudio[0].begin() + frames);
    audio.insert(audio.end(), fAudio[1].begin(), fAudio[1].begin() + frames);
    return audio;
}

void JackTestClient::writeMidi(jack_nframes_t frames)
{
    void* const buffer = jack_port_get_buffer(fMidiOut, frames);
    jack_midi_clear_buffer(buffer);
    if (fBatchPending.load()) {
        for (const MidiBytes& message : fBatch)
            jack_midi_event_write(
                buffer, message.frame, message.bytes.data(), message.bytes.size());
        fBatchPending.store(false);
    }
    const uint32_t period = fClockPeriod.load();
    if (period == 0)
        return;
    if (!fClockStarted) {
        const uint8_t start = 0xFA;
        jack_midi_event_write(buffer, 0, &start, 1);
        fClockStarted = true;
    }
    for (; fClockFrame < frames; fClockFrame += period) {
        const uint8_t clock = 0xF8;
        jack_midi_event_write(buffer, static_cast<jack_nframes_t>(fClockFrame), &clock, 1);
    }
    fClockFrame -= frames;
}

void JackTestClient::process(jack_nframes_t frames)
{
    writeMidi(frames);
    if (!fRecording.load())
        return;
    const uint32_t cycle = fCycleCount.load();
    if (cycle >= fCycles.size() || fAudioFrames + frames > fAudio[0].size())
        return;
    RecordedCycle& record = fCycles[cycle];
    record.state = jack_transport_query(fClient, &record.position);
    record.frames = frames;
    for (int i = 0; i < 2; ++i) {
        const auto* input = static_cast<const float*>(jack_port_get_buffer(fInputs[i], frames));
        std::memcpy(fAudio[i].data() + fAudioFrames, input, sizeof(float) * frames);
    }
    fAudioFrames += frames;
    fCycleCount.store(cycle + 1);
}

int JackTestClient::processCallback(jack_nframes_t frames, void* arg)
{
    static_cast<JackTestClient*>(arg)->process(frames);
    return 0;
}

void JackTestClient::timebaseCallback(
    jack_transport_state_t, jack_nframes_t, jack_position_t* position, int, void* arg)
{
    const auto* self = static_cast<const JackTestClient*>(arg);
    const double ticksPerBeat = 1920.0;
    const double beats = position->frame / (position->frame_rate * 60.0 / self->fBeatsPerMinute);
    const auto wholeBeats = static_cast<int64_t>(beats);
    position->valid = JackPositionBBT;
    position->beats_per_bar = 4.0f;
    position->beat_type = 4.0f;
    position->ticks_per_beat = ticksPerBeat;
    position->beats_per_minute = self->fBeatsPerMinute;
    position->bar = static_cast<int32_t>(wholeBeats / 4) + 1;
    position->beat = static_cast<int32_t>(wholeBeats % 4) + 1;
    position->tick = static_cast<int32_t>((beats - wholeBeats) * ticksPerBeat);
    position->bar_start_tick = (position->bar - 1) * 4.0 * ticksPerBeat;
}

} // namespace StandaloneTest
