// One plug-in instance as a CLAP host sees it: the PluginAdapter, the host, the bus lists and the
// per-block work of `process`. Main thread: creation, init, activation, extension queries, state;
// audio thread: process and flush while processing. The editor reaches it only through the queue
// and ring of ClapEventQueue.
#pragma once

#include "BusInfo.h"
#include "ClapEventQueue.h"
#include "ClapEvents.h"
#include "ClapParams.h"
#include "ClapPlugin.h"
#include "ClapProcess.h"
#include "MidiMessage.h"
#include "PluginAdapter.h"
#include "TransportInfo.h"

#include <cstdint>
#include <memory>

namespace Orvane {

class ClapUI;

// Events of other spaces reuse the core type numbers with other meanings: only core events count.
inline bool isCoreEvent(const clap_event_header_t* header) noexcept
{
    return header != nullptr && header->space_id == CLAP_CORE_EVENT_SPACE_ID;
}

class PluginCLAP {
public:
    static constexpr uint32_t kMaxMidiEvents = 512;

    explicit PluginCLAP(const clap_host_t* host);
    ~PluginCLAP();

    PluginAdapter& adapter() noexcept { return fPlugin; }
    // What the editor hands to the audio thread, and the values cached for it.
    ClapEventQueue& eventQueue() noexcept { return fQueue; }
    const clap_host_t* host() const noexcept { return fHost; }
    const BusList& buses(bool isInput) const noexcept
    {
        return isInput ? fInputBuses : fOutputBuses;
    }

    // [main-thread] Activation, deactivation and destruction also print what the audio thread
    // recorded.
    bool init();
    // False, with nothing changed, for a rate that is not finite and positive.
    bool activate(double sampleRate, uint32_t minFrames, uint32_t maxFrames);
    void deactivate();

    // [main-thread] The host's callback (on_main_thread): prints what the audio thread recorded.
    void onMainThread() noexcept;

    // [audio-thread] Never allocates, locks, waits or prints: failed checks are recorded for the
    // main thread, and the host is asked for a callback to print them.
    clap_process_status process(const clap_process_t& data) noexcept;

    // Parameter values from the host (events of process and flush, the state reader): ids at or
    // beyond the parameter count and non-finite values are ignored, other values are clamped to
    // the parameter's range (integer ones truncated toward zero), then cached and applied.
    // [any-thread] With `onAudioThread` the plug-in takes the value over without waiting.
    void applyHostParameter(uint32_t index, double value, bool onAudioThread) noexcept;
    // [audio-thread] Sends every output-or-trigger parameter whose value changed as a value event
    // at `time`.
    void reportOutputParameters(const clap_output_events_t* out, uint32_t time) noexcept;
    // [main-thread] After a state load: the host's "clap.params" rescan of values and texts.
    void requestParameterRescan() noexcept;
    // The editor's gestures and values to the host and the plug-in; from process, and from flush
    // for hosts that flush while not processing. Audio thread, or main thread outside processing.
    void sendQueuedEvents(const clap_output_events_t* out) noexcept;

    // "clap.gui" and "clap.timer-support" (GuiExtension.cpp, TimerExtension.cpp). Main thread.
    ClapUI* editor() const noexcept { return fUI.get(); }
    bool createEditor(const char* api, bool isFloating);
    void destroyEditor();
    void onTimer();

private:
    ClapEventQueue fQueue;
    PluginAdapter fPlugin;
    const clap_host_t* const fHost;
    const clap_host_params_t* fHostParams = nullptr;
    const clap_output_events_t* fOutputEvents = nullptr;
    // Whether any parameter is reported by the plug-in rather than set by the host.
    bool fHasOutputParameters = false;
    BusList fInputBuses;
    BusList fOutputBuses;

    uint32_t fMidiEventCount = 0;
    MidiMessage fMidiEvents[kMaxMidiEvents];
    RingBufferControl fNotesReader;
    TransportInfo fTransport;
    // Gestures the host was told of and not yet told the end of, per parameter: the host sees a
    // well-formed gesture protocol whatever the editor asks. Audio side only.
    std::unique_ptr<bool[]> fOpenGestures;

    // Destroyed before the adapter: the editor goes first.
    std::unique_ptr<ClapUI> fUI;
    // A timer tick without an editor is reported once, not on every tick.
    bool fReportedTickWithoutEditor = false;

    // Ids within the parameter count and finite values only, clamped to the parameter's range;
    // integer parameters' values truncated toward zero.
    bool usableParameterValue(uint32_t index, double value, float& usable) const noexcept;
    clap_process_status processBlock(const clap_process_t& data) noexcept;
    void sendGesture(const clap_output_events_t* out, uint32_t index, bool begin) noexcept;
    void readInputEvents(const clap_input_events_t* in) noexcept;
    void addNoteEvent(const clap_event_header_t& header) noexcept;
    void addMidiEvent(const clap_event_header_t* event) noexcept;
    void addParamValueEvent(const clap_event_header_t* event) noexcept;
    void readEditorNotes() noexcept;
    // try_push, counting a refusal.
    bool pushToHost(const clap_output_events_t* out, const clap_event_header_t& event) noexcept;
    bool appendMidi(uint32_t frame, uint8_t status, uint8_t data1, uint8_t data2) noexcept;

    static bool writeMidiCallback(void* ptr, const MidiMessage& message) noexcept;
    bool writeMidi(const MidiMessage& message) noexcept;
};

} // namespace Orvane
