// A JACK client of the tests (linked with the JACK library): two audio inputs that it records,
// a MIDI output that sends batches of bytes or a MIDI clock, and optionally the transport's
// timebase master. Test thread, except the callbacks (JACK's threads).
#pragma once

#include <jack/jack.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace StandaloneTest {

struct MidiBytes {
    uint32_t frame;
    std::vector<uint8_t> bytes;
};

struct RecordedCycle {
    jack_transport_state_t state;
    jack_position_t position;
    uint32_t frames;
};

class JackTestClient {
public:
    // `maxFrames`: how much audio recording can hold (allocated before activation).
    JackTestClient(const char* name, size_t maxFrames = 48000 * 20);
    ~JackTestClient();
    JackTestClient(const JackTestClient&) = delete;
    JackTestClient& operator=(const JackTestClient&) = delete;

    bool ok() const { return fClient != nullptr; }
    jack_client_t* client() const { return fClient; }
    // Call before activate(): bar/beat/tick at `beatsPerMinute` in 4/4, 1920 ticks per beat.
    void becomeTimebaseMaster(double beatsPerMinute);
    bool activate();
    // Connects a port of another client to an input of this one, or this one's MIDI out to it.
    bool connectFrom(const std::string& source, int input);
    bool connectMidiTo(const std::string& destination);
    // Connects two ports of other clients (each may still be on its way to being active).
    bool connect(const std::string& source, const std::string& destination);

    // Sends the batch in one coming cycle; returns once it went out (bounded wait).
    bool sendBatch(const std::vector<MidiBytes>& batch);
    // A MIDI start, then one clock every `framesPerTick` frames, until stopped.
    void startClock(uint32_t framesPerTick);
    void stopClock();

    void startRecording();
    void stopRecording();
    // Waits (bounded) until `cycles` cycles were recorded since the last start.
    bool waitForCycles(uint32_t cycles, double seconds = 30.0) const;
    const std::vector<RecordedCycle>& cycles() const { return fCycles; }
    // A transport run from the song's start, recorded: `before` cycles stopped, `rolling` cycles
    // playing, then stopped until `after` more cycles went by (each count waited for, bounded).
    // False when a wait ran out.
    bool recordTransportRun(uint32_t before, uint32_t rolling, uint32_t after);
    // The frames of the recorded cycles, and the two inputs' audio of them, the first then the
    // second.
    size_t recordedFrames() const;
    std::vector<float> recordedStereo() const;
    // Recorded audio of input `input`, cycle after cycle.
    const std::vector<float>& audio(int input) const { return fAudio[input]; }
    uint32_t recordedCycleCount() const { return fCycleCount.load(); }

private:
    jack_client_t* fClient = nullptr;
    jack_port_t* fInputs[2] = {};
    jack_port_t* fMidiOut = nullptr;
    double fBeatsPerMinute = 120.0;

    std::vector<MidiBytes> fBatch;
    std::atomic<bool> fBatchPending{false};
    std::atomic<uint32_t> fClockPeriod{0};
    bool fClockStarted = false;
    uint64_t fClockFrame = 0;

    std::atomic<bool> fRecording{false};
    std::atomic<uint32_t> fCycleCount{0};
    std::vector<RecordedCycle> fCycles;
    std::vector<float> fAudio[2];
    size_t fAudioFrames = 0;

    void process(jack_nframes_t frames);
    void writeMidi(jack_nframes_t frames);
    static int processCallback(jack_nframes_t frames, void* arg);
    static void timebaseCallback(jack_transport_state_t state, jack_nframes_t frames,
        jack_position_t* position, int newPosition, void* arg);
};

} // namespace StandaloneTest
