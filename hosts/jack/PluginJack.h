// Joins the plug-in to a JACK client: ports with their metadata, transport, MIDI in and out,
// Control Change onto parameters, editor notes and parameter changes, and the editor loop.
// Threads: the editor thread (the main thread) constructs, runs and destroys it and calls the
// editor callbacks and the idle step; JACK's process thread calls process(); JACK's notification
// thread calls the buffer-size, sample-rate and shutdown callbacks.
#pragma once

#include "CachedParameters.h"
#include "JackDeclarations.h"
#include "MidiMessage.h"
#include "OrvanePluginInfo.h"
#include "PluginAdapter.h"
#include "RingBufferControl.h"
#include "SmallStackRingBuffer.h"
#include "StandaloneEditor.h"
#include "skein/IdleCallback.h"

#include <atomic>
#include <cstdint>

namespace Orvane {

class PluginJack final : public Skein::IdleCallback {
public:
    static constexpr uint32_t kMaxMidiEvents = 512;
    static constexpr uint32_t kOutputCount = ORVANE_PLUGIN_NUM_OUTPUTS;

    // Creates the plug-in and the editor and registers ports and callbacks on `client`, which
    // must not be active yet; the plug-in takes its buffer size and sample rate from the pending
    // values.
    PluginJack(jack_client_t* client, uintptr_t parentWindow);
    ~PluginJack() override;

    PluginJack(const PluginJack&) = delete;
    PluginJack& operator=(const PluginJack&) = delete;

    // Editor thread, before activate(): a starting value; the editor learns it at the first idle
    // step.
    void setStartValue(uint32_t index, float value) noexcept;
    // Activates the plug-in, then the client.
    void activate();
    // Runs the editor loop (30 ms idle step) until the window closes, a close request arrives or
    // JACK shuts down.
    void run();

    // One JACK cycle of `frames` frames. Audio thread.
    void process(jack_nframes_t frames) noexcept;
    // The idle step. Editor thread.
    void onIdleTick() override;

    const PluginAdapter& adapter() const noexcept { return fPlugin; }

    // The editor's callbacks (editor thread).
    static void setParameterCallback(void* ptr, uint32_t index, float value);
    static void sendNoteCallback(void* ptr, uint8_t channel, uint8_t note, uint8_t velocity);

private:
    PluginAdapter fPlugin;
    StandaloneEditor fEditor;
    // Forgotten when JACK shuts down, so that nothing calls JACK on it afterwards.
    std::atomic<jack_client_t*> fClient;

    jack_port_t* fPortAudioOuts[kOutputCount] = {};
    jack_port_t* fPortEventsIn = nullptr;
    jack_port_t* fPortMidiOut = nullptr;

    // "midi-out" during a cycle, null outside; the plug-in's MIDI frames count from fChunkOffset.
    std::atomic<void*> fPortMidiOutBuffer{nullptr};
    uint32_t fChunkOffset = 0;
    std::atomic<bool> fMidiWriteRefused{false};

    // Values last passed on for output parameters, and the changed flags the audio thread
    // raises for the editor.
    CachedParameters fCachedParameters;

    SmallStackRingBuffer fNotesRing;
    RingBufferControl fNotesWriter;
    RingBufferControl fNotesReader;

    MidiMessage fMidiEvents[kMaxMidiEvents];
    // Output of a port that could not be registered; blocks are split to fit it.
    static constexpr uint32_t kDiscardFrames = 4096;
    float fDiscard[kDiscardFrames] = {};

    void registerAudioPorts(jack_client_t* client);
    void setPortMetadata(jack_client_t* client, jack_port_t* port, uint32_t index);
    void registerCallbacks(jack_client_t* client);

    void resetTriggerParameters() noexcept;
    uint32_t readEditorNotes() noexcept;
    uint32_t readMidiInput(jack_nframes_t frames, uint32_t count) noexcept;
    void applyControlChange(const MidiMessage& message) noexcept;
    void runInChunks(float** outputs, uint32_t frames, uint32_t eventCount) noexcept;

    bool writeMidi(const MidiMessage& message) noexcept;
    void shutdown() noexcept;

    static void threadInitCallback(void* ptr);
    static int bufferSizeCallback(jack_nframes_t size, void* ptr);
    static int sampleRateCallback(jack_nframes_t rate, void* ptr);
    static int processCallback(jack_nframes_t frames, void* ptr) noexcept;
    static void shutdownCallback(void* ptr);
    static bool writeMidiCallback(void* ptr, const MidiMessage& message) noexcept;
};

} // namespace Orvane
