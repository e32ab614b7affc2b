// Joins the plug-in to a JACK client: ports with their metadata, transport, MIDI in and out,
// Control Change onto parameters, editor notes and parameter changes, and the editor loop.
// Threads: the editor thread ([main-thread]) constructs, runs and destroys it and calls the
// editor callbacks and the idle step; JACK's process thread calls process(); JACK's notification
// thread calls the buffer-size, sample-rate and shutdown callbacks.
#pragma once

#include "CachedParameters.h"
#include "ControlChangeMap.h"
#include "EditorNotes.h"
#include "JackDeclarations.h"
#include "MidiInputBlock.h"
#include "OrvanePluginInfo.h"
#include "PluginAdapter.h"
#include "StandaloneEditor.h"
#include "skein/IdleCallback.h"

#include <atomic>
#include <cstdint>
#include <functional>

namespace Orvane {

class PluginJack final : public Skein::IdleCallback {
public:
    static constexpr uint32_t kOutputCount = ORVANE_PLUGIN_NUM_OUTPUTS;

    // [main-thread] Creates the plug-in and the editor and registers ports and callbacks on
    // `client`, which must not be active yet; the plug-in takes its buffer size and sample rate
    // from the pending values.
    PluginJack(jack_client_t* client, uintptr_t parentWindow);
    ~PluginJack() override;

    PluginJack(const PluginJack&) = delete;
    PluginJack& operator=(const PluginJack&) = delete;

    // [main-thread] Before activate(): a starting value (taken through acceptIncomingValue); the
    // editor learns it at the first idle step.
    void setStartValue(uint32_t index, float value) noexcept;
    // [main-thread] Activates the plug-in, then the client.
    void activate();
    // [main-thread] More work for every idle step, after the editor's.
    void setIdleWork(std::function<void()> work) { fIdleWork = std::move(work); }
    // [main-thread] Runs the editor loop (30 ms idle step) until a close request arrives or JACK
    // shuts down, or the window closes. `inSession`: the window starts hidden and closing it only
    // hides it.
    void run(bool inSession = false);

    // [main-thread] Shows or hides the editor window (nothing without one).
    void showEditor(bool show);
    bool isEditorShown() const noexcept;

    // [audio-thread] One JACK cycle of `frames` frames.
    void process(jack_nframes_t frames) noexcept;
    // [main-thread] The idle step.
    void onIdleTick() override;

    const PluginAdapter& adapter() const noexcept { return fPlugin; }

    // [main-thread] The editor's callbacks.
    static void setParameterCallback(void* ptr, uint32_t index, float value);
    static void sendNoteCallback(void* ptr, uint8_t channel, uint8_t note, uint8_t velocity);

private:
    PluginAdapter fPlugin;
    StandaloneEditor fEditor;
    // Read and written by the process callback only, after construction.
    ControlChangeMap fControlChanges;
    std::function<void()> fIdleWork;
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

    EditorNotes fNotes;
    MidiInputBlock fMidiInput;
    // Output of a port that could not be registered; blocks are split to fit it.
    static constexpr uint32_t kDiscardFrames = 4096;
    float fDiscard[kDiscardFrames] = {};

    void registerAudioPorts(jack_client_t* client);
    void setPortMetadata(jack_client_t* client, jack_port_t* port, uint32_t index);
    void registerCallbacks(jack_client_t* client);

    void resetTriggerParameters() noexcept;
    void readMidiInput(jack_nframes_t frames) noexcept;
    void applyControlChange(const MidiMessage& message) noexcept;
    void runInChunks(float** outputs, uint32_t frames) noexcept;

    bool writeMidi(const MidiMessage& message) noexcept;
    void shutdown() noexcept;

    template <typename Change>
    static int changeOrRefuse(Change change, const char* what, jack_nframes_t value) noexcept;
    static void threadInitCallback(void* ptr) noexcept;
    static int bufferSizeCallback(jack_nframes_t size, void* ptr) noexcept;
    static int sampleRateCallback(jack_nframes_t rate, void* ptr) noexcept;
    static int processCallback(jack_nframes_t frames, void* ptr) noexcept;
    static void shutdownCallback(void* ptr) noexcept;
    static bool writeMidiCallback(void* ptr, const MidiMessage& message) noexcept;
};

} // namespace Orvane
