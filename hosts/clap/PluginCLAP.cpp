// One CLAP plug-in instance: creation, activation and the per-block work of process. Main thread,
// except process and the functions it calls (audio thread), which neither allocate nor wait.
#include "PluginCLAP.h"

#include "AudioAssertions.h"
#include "ClapUI.h"
#include "OrvanePluginInfo.h"
#include "OutputChannels.h"
#include "PendingValues.h"
#include "SoftAssert.h"
#include "TransportConversion.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace Orvane {

namespace {

constexpr uint32_t kOutputChannels = ORVANE_PLUGIN_NUM_OUTPUTS;

clap_event_param_value_t paramValueEvent(uint32_t index, double value, uint32_t time) noexcept
{
    clap_event_param_value_t event{};
    event.header.size = sizeof(event);
    event.header.time = time;
    event.header.space_id = CLAP_CORE_EVENT_SPACE_ID;
    event.header.type = CLAP_EVENT_PARAM_VALUE;
    event.header.flags = CLAP_EVENT_IS_LIVE;
    event.param_id = index;
    event.value = value;
    return event;
}

clap_event_param_gesture_t gestureEvent(uint16_t type, uint32_t index) noexcept
{
    clap_event_param_gesture_t event{};
    event.header.size = sizeof(event);
    event.header.space_id = CLAP_CORE_EVENT_SPACE_ID;
    event.header.type = type;
    event.header.flags = CLAP_EVENT_IS_LIVE;
    event.param_id = index;
    return event;
}

uint8_t clampToMidiData(long value) noexcept
{
    return static_cast<uint8_t>(std::clamp(value, 0L, 127L));
}

// Velocity 0..1 to 0..127; NaN counts as 0 and anything outside is clamped before converting.
uint8_t midiVelocity(double velocity) noexcept
{
    const double unit = std::isnan(velocity) ? 0.0 : std::clamp(velocity, 0.0, 1.0);
    return clampToMidiData(static_cast<long>(unit * 127.0 + 0.5));
}

} // namespace

PluginCLAP::PluginCLAP(const clap_host_t* host)
    : fPlugin(this, writeMidiCallback, nullptr, nullptr), fHost(host)
{
    fQueue.cachedParameters().setup(fPlugin.parameterCount());
    fOpenGestures.reset(new bool[fPlugin.parameterCount()]());
    for (uint32_t i = 0; i < fPlugin.parameterCount(); ++i)
        fHasOutputParameters = fHasOutputParameters || fPlugin.isParameterOutputOrTrigger(i);
    fNotesReader.setRingBuffer(&fQueue.notesBuffer(), true);
    fInputBuses = buildBuses(fPlugin, true);
    fOutputBuses = buildBuses(fPlugin, false);
}

PluginCLAP::~PluginCLAP()
{
    printAudioReports();
}

bool PluginCLAP::init()
{
    if (fHost->clap_version.major == 0)
        return false;
    if (fHost->get_extension != nullptr)
        fHostParams =
            static_cast<const clap_host_params_t*>(fHost->get_extension(fHost, CLAP_EXT_PARAMS));
    return true;
}

bool PluginCLAP::activate(double sampleRate, uint32_t, uint32_t maxFrames)
{
    printAudioReports();
    if (!std::isfinite(sampleRate) || sampleRate <= 0.0)
        return false;
    {
        // Later instances start at this host's figures; other threads may be creating some.
        const std::lock_guard<std::mutex> lock(pendingValuesMutex());
        pendingBufferSize = maxFrames;
        pendingSampleRate = sampleRate;
    }
    fPlugin.changeSampleRate(sampleRate, true);
    fPlugin.changeBufferSize(maxFrames, true);
    fPlugin.enable();
    return true;
}

void PluginCLAP::deactivate()
{
    printAudioReports();
    fPlugin.disable();
}

clap_process_status PluginCLAP::process(const clap_process_t& data) noexcept
{
    const clap_process_status status = processBlock(data);
    // What the block could not print waits for the main thread; the host's callback brings it.
    if (takeAudioReportRequest() && fHost->request_callback != nullptr)
        fHost->request_callback(fHost);
    return status;
}

void PluginCLAP::onMainThread() noexcept
{
    printAudioReports();
}

clap_process_status PluginCLAP::processBlock(const clap_process_t& data) noexcept
{
    fMidiEventCount = 0;
    const clap_output_events_t* const out =
        data.out_events != nullptr && data.out_events->try_push != nullptr ? data.out_events
                                                                           : nullptr;
    if (out != nullptr)
        sendQueuedEvents(out);

    fTransport = convertTransport(data.transport, data.steady_time);
    fPlugin.setTransportInfo(fTransport);

    readInputEvents(data.in_events);
    readEditorNotes();

    if (data.frames_count == 0) {
        markSilentChannels(data);
        return CLAP_PROCESS_CONTINUE;
    }

    float* outputs[kOutputChannels] = {};
    if (!collectOutputChannels(data, fOutputBuses.usesCV, outputs))
        return CLAP_PROCESS_ERROR;

    fOutputEvents = out;
    fPlugin.runCycle(nullptr, outputs, data.frames_count, fMidiEvents, fMidiEventCount);
    reportOutputParameters(fOutputEvents, data.frames_count - 1);
    fOutputEvents = nullptr;
    markSilentChannels(data);
    return CLAP_PROCESS_CONTINUE;
}

void PluginCLAP::sendQueuedEvents(const clap_output_events_t* out) noexcept
{
    // While the editor holds the list, its events wait for a later block.
    static_cast<void>(fQueue.drainQueuedEvents([this, out](const QueuedEvent& queued) {
        if (queued.index >= fPlugin.parameterCount())
            return;
        switch (queued.kind) {
        case QueuedEvent::GestureBegin:
        case QueuedEvent::GestureEnd:
            sendGesture(out, queued.index, queued.kind == QueuedEvent::GestureBegin);
            break;
        case QueuedEvent::ParamSet: {
            float value;
            if (!usableParameterValue(queued.index, queued.value, value))
                break;
            fPlugin.setParameterValueInProcess(queued.index, value);
            const clap_event_param_value_t event = paramValueEvent(queued.index, value, 0);
            pushToHost(out, event.header);
            break;
        }
        }
    }));
}

// Hosts that check the event protocol abort on a second begin or an end without a begin.
void PluginCLAP::sendGesture(const clap_output_events_t* out, uint32_t index, bool begin) noexcept
{
    if (fOpenGestures[index] == begin)
        return;
    fOpenGestures[index] = begin;
    const clap_event_param_gesture_t event =
        gestureEvent(begin ? CLAP_EVENT_PARAM_GESTURE_BEGIN : CLAP_EVENT_PARAM_GESTURE_END, index);
    pushToHost(out, event.header);
}

void PluginCLAP::readInputEvents(const clap_input_events_t* in) noexcept
{
    if (in == nullptr || in->size == nullptr || in->get == nullptr)
        return;
    const uint32_t count = in->size(in);
    for (uint32_t i = 0; i < count; ++i) {
        const clap_event_header_t* const header = in->get(in, i);
        if (!isCoreEvent(header))
            continue;
        switch (header->type) {
        case CLAP_EVENT_NOTE_ON:
        case CLAP_EVENT_NOTE_OFF:
            addNoteEvent(*header);
            break;
        case CLAP_EVENT_PARAM_VALUE:
            addParamValueEvent(header);
            break;
        case CLAP_EVENT_MIDI:
            addMidiEvent(header);
            break;
        default:
            break;
        }
    }
}

void PluginCLAP::addNoteEvent(const clap_event_header_t& header) noexcept
{
    if (header.size < sizeof(clap_event_note_t))
        return;
    const auto* const event = reinterpret_cast<const clap_event_note_t*>(&header);
    // -1 is the wildcard port, which includes port 0.
    if (event->port_index != -1 &&
        !ORVANE_AUDIO_CHECK_UINT(event->port_index == 0, static_cast<uint16_t>(event->port_index)))
        return;
    const uint8_t command = header.type == CLAP_EVENT_NOTE_ON ? 0x90 : 0x80;
    appendMidi(header.time, static_cast<uint8_t>(command + (event->channel & 0x0F)),
        clampToMidiData(event->key), midiVelocity(event->velocity));
}

void PluginCLAP::addMidiEvent(const clap_event_header_t* event) noexcept
{
    if (!ORVANE_AUDIO_CHECK_UINT2(
            event->size == sizeof(clap_event_midi_t), event->size, sizeof(clap_event_midi_t)))
        return;
    const auto* const midi = reinterpret_cast<const clap_event_midi_t*>(event);
    if (!ORVANE_AUDIO_CHECK_UINT(midi->port_index == 0, midi->port_index))
        return;
    appendMidi(event->time, midi->data[0], midi->data[1], midi->data[2]);
}

void PluginCLAP::addParamValueEvent(const clap_event_header_t* event) noexcept
{
    if (!ORVANE_AUDIO_CHECK_UINT2(event->size == sizeof(clap_event_param_value), event->size,
            sizeof(clap_event_param_value)))
        return;
    const auto* const param = reinterpret_cast<const clap_event_param_value_t*>(event);
    applyHostParameter(param->param_id, param->value, true);
}

bool PluginCLAP::usableParameterValue(uint32_t index, double value, float& usable) const noexcept
{
    if (index >= fPlugin.parameterCount() || !std::isfinite(value))
        return false;
    const ValueRange& range = fPlugin.parameterRanges(index);
    double clamped =
        std::clamp(value, static_cast<double>(range.min), static_cast<double>(range.max));
    // A stepped parameter holds whole steps: the fraction is cut here, where values enter, so that
    // the groove, get_value and the saved state all see the same value.
    if (fPlugin.parameterHints(index) & HintInteger)
        clamped = std::trunc(clamped);
    usable = static_cast<float>(clamped);
    return true;
}

void PluginCLAP::applyHostParameter(uint32_t index, double value, bool onAudioThread) noexcept
{
    float usable;
    if (!usableParameterValue(index, value, usable))
        return;
    fQueue.cachedParameters().store(index, usable);
    if (onAudioThread)
        fPlugin.setParameterValueInProcess(index, usable);
    else
        fPlugin.setParameterValue(index, usable);
}

bool PluginCLAP::pushToHost(
    const clap_output_events_t* out, const clap_event_header_t& event) noexcept
{
    const bool pushed = out->try_push(out, &event);
    if (!pushed)
        fPlugin.countDrop(Drop::HostPushRefusal);
    return pushed;
}

bool PluginCLAP::appendMidi(uint32_t frame, uint8_t status, uint8_t data1, uint8_t data2) noexcept
{
    if (fMidiEventCount >= kMaxMidiEvents) {
        fPlugin.countDrop(Drop::MidiOverflow);
        return false;
    }
    MidiMessage& message = fMidiEvents[fMidiEventCount++];
    message.frame = frame;
    message.size = 3;
    message.data[0] = status;
    message.data[1] = data1;
    message.data[2] = data2;
    message.data[3] = 0;
    message.dataExt = nullptr;
    return true;
}

// Notes played in the editor join the block at the frame of the last host event.
void PluginCLAP::readEditorNotes() noexcept
{
    uint8_t record[3];
    while (fMidiEventCount < kMaxMidiEvents && fNotesReader.isDataAvailableForReading()) {
        if (!fNotesReader.readCustomData(record, sizeof(record)))
            break;
        const uint32_t frame = fMidiEventCount != 0 ? fMidiEvents[fMidiEventCount - 1].frame : 0;
        appendMidi(frame, record[0], record[1], record[2]);
    }
}

void PluginCLAP::reportOutputParameters(const clap_output_events_t* out, uint32_t time) noexcept
{
    if (!fHasOutputParameters)
        return;
    const uint32_t count = fPlugin.parameterCount();
    for (uint32_t i = 0; i < count; ++i) {
        if (!fPlugin.isParameterOutputOrTrigger(i))
            continue;
        const float value = fPlugin.parameterValue(i);
        if (std::abs(fQueue.cachedParameters().value(i) - value) <
            std::numeric_limits<float>::epsilon())
            continue;
        fQueue.cachedParameters().store(i, value);
        if (out == nullptr)
            continue;
        const clap_event_param_value_t event = paramValueEvent(i, value, time);
        pushToHost(out, event.header);
    }
}

void PluginCLAP::requestParameterRescan() noexcept
{
    if (fHostParams != nullptr && fHostParams->rescan != nullptr)
        fHostParams->rescan(fHost, CLAP_PARAM_RESCAN_VALUES | CLAP_PARAM_RESCAN_TEXT);
}

bool PluginCLAP::writeMidiCallback(void* ptr, const MidiMessage& message) noexcept
{
    return static_cast<PluginCLAP*>(ptr)->writeMidi(message);
}

bool PluginCLAP::writeMidi(const MidiMessage& message) noexcept
{
    if (!ORVANE_AUDIO_CHECK(fOutputEvents != nullptr))
        return false;
    if (message.size > 3)
        return true;
    clap_event_midi_t event{};
    event.header.size = sizeof(event);
    event.header.time = message.frame;
    event.header.space_id = CLAP_CORE_EVENT_SPACE_ID;
    event.header.type = CLAP_EVENT_MIDI;
    event.header.flags = CLAP_EVENT_IS_LIVE;
    event.port_index = 0;
    std::memcpy(event.data, message.data, message.size);
    return pushToHost(fOutputEvents, event.header);
}

} // namespace Orvane
