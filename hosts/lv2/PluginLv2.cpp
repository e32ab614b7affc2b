// One LV2 instance: creation, ports, activation and the per-block work of run. Main thread,
// except connectPort, run and the functions run calls (audio thread).
#include "PluginLv2.h"

#include "AudioAssertions.h"
#include "IncomingValues.h"
#include "Lv2Features.h"
#include "PendingValues.h"
#include "SoftAssert.h"

#include <lv2/atom/util.h>
#include <lv2/urid/urid.h>

#include <algorithm>
#include <cstring>
#include <mutex>

namespace Orvane {

namespace {

// Hosts that offer no block length get a figure the framework accepts; nothing in the plug-in
// sizes itself by it.
constexpr uint32_t kDefaultBlockLength = 4096;

// The largest block the host announces through options, or 0.
uint32_t offeredBlockLength(const LV2_Options_Option* options, const Lv2Uris& uris) noexcept
{
    uint32_t length = 0;
    for (const LV2_Options_Option* o = options; o != nullptr && o->key != 0; ++o) {
        const bool isBlockLength =
            o->key == uris.maxBlockLength || o->key == uris.nominalBlockLength;
        if (isBlockLength && o->type == uris.atomInt && o->size == sizeof(int32_t)) {
            const int32_t value = *static_cast<const int32_t*>(o->value);
            if (value > 0 && (length == 0 || o->key == uris.maxBlockLength))
                length = static_cast<uint32_t>(value);
        }
    }
    return length;
}

} // namespace

PluginLv2* PluginLv2::create(
    double sampleRate, const char* bundlePath, const LV2_Feature* const* features)
{
    const auto* const map =
        static_cast<const LV2_URID_Map*>(findLv2Feature(features, LV2_URID__map));
    if (map == nullptr) {
        printWarning("Vantorel: the LV2 host offers no urid:map; the plug-in cannot run");
        return nullptr;
    }
    const auto* const options =
        static_cast<const LV2_Options_Option*>(findLv2Feature(features, LV2_OPTIONS__options));
    const uint32_t offered = offeredBlockLength(options, Lv2Uris(map));

    // Hosts may instantiate on several threads: the pending values stay locked until read.
    const std::lock_guard<std::mutex> lock(pendingValuesMutex());
    pendingSampleRate = sampleRate;
    pendingBufferSize = offered != 0 ? offered : kDefaultBlockLength;
    pendingBundlePath = bundlePath;
    auto* const instance = new PluginLv2(map);
    pendingBundlePath = nullptr;
    if (instance->fPlugin.plugin() == nullptr) {
        delete instance;
        return nullptr;
    }
    return instance;
}

PluginLv2::PluginLv2(const LV2_URID_Map* map)
    : fPlugin(this, writeMidiCallback, nullptr, nullptr), fUris(map), fMidi(fPlugin)
{
    const uint32_t count = fPlugin.parameterCount();
    fControls.reset(new const float*[count]());
    fLastControls.reset(new float[count]);
    for (uint32_t i = 0; i < count; ++i)
        fLastControls[i] = fPlugin.parameterValue(i);
    fMonitorCount = fPlugin.monitorCount();
    fLastMonitors.reset(new int32_t[fMonitorCount]());
}

PluginLv2::~PluginLv2()
{
    printAudioReports();
}

void PluginLv2::connectPort(uint32_t port, void* data) noexcept
{
    if (port == kLv2EventsIn)
        fEventsIn = static_cast<const LV2_Atom_Sequence*>(data);
    else if (port == kLv2EventsOut)
        fEventsOut = static_cast<LV2_Atom_Sequence*>(data);
    else if (port < kLv2FirstControl)
        fAudioOut[port - kLv2FirstAudioOut] = static_cast<float*>(data);
    else if (port - kLv2FirstControl < fPlugin.parameterCount())
        fControls[port - kLv2FirstControl] = static_cast<const float*>(data);
}

void PluginLv2::activate()
{
    printAudioReports();
    fMonitorsSent = false;
    fPlugin.enable();
}

void PluginLv2::deactivate()
{
    printAudioReports();
    fPlugin.disable();
}

uint32_t PluginLv2::setOptions(const LV2_Options_Option* options)
{
    for (const LV2_Options_Option* o = options; o != nullptr && o->key != 0; ++o) {
        if (o->key == fUris.sampleRate && o->type == fUris.atomFloat && o->size == sizeof(float)) {
            const float rate = *static_cast<const float*>(o->value);
            if (rate > 0.0f)
                fPlugin.changeSampleRate(rate, true);
        }
    }
    const uint32_t length = offeredBlockLength(options, fUris);
    if (length != 0)
        fPlugin.changeBufferSize(length, true);
    return LV2_OPTIONS_SUCCESS;
}

void PluginLv2::run(uint32_t frames) noexcept
{
    applyControls();
    startOutput();
    fMidi.clear();
    fPieceStart = 0;
    if (fEventsIn != nullptr && fEventsIn->atom.type == fUris.atomSequence) {
        LV2_ATOM_SEQUENCE_FOREACH(fEventsIn, event)
        readEvent(*event, frames);
    }
    renderPiece(frames);
    publishMonitors(frames);
}

// A host control port is read every block; only a changed value goes through the rule for values
// that enter the plug-in, so a port that stands still costs nothing and posts nothing.
void PluginLv2::applyControls() noexcept
{
    for (uint32_t i = 0; i < fPlugin.parameterCount(); ++i) {
        if (fControls[i] == nullptr)
            continue;
        const float value = *fControls[i];
        if (std::memcmp(&value, &fLastControls[i], sizeof(float)) == 0)
            continue;
        fLastControls[i] = value;
        float accepted;
        if (acceptIncomingValue(fPlugin, i, value, accepted))
            fPlugin.setParameterValueInProcess(i, accepted);
    }
}

// The host tells the output sequence's capacity in its size; the plug-in answers with an empty
// sequence in frames, which stroke notes then fill.
void PluginLv2::startOutput() noexcept
{
    fEventsOutCapacity = 0;
    fLastOutFrame = 0;
    if (fEventsOut == nullptr)
        return;
    fEventsOutCapacity = fEventsOut->atom.size;
    fEventsOut->atom.type = fUris.atomSequence;
    fEventsOut->atom.size = sizeof(LV2_Atom_Sequence_Body);
    fEventsOut->body.unit = 0;
    fEventsOut->body.pad = 0;
}

void PluginLv2::readEvent(const LV2_Atom_Event& event, uint32_t frames) noexcept
{
    // Events in time order within the block; anything else is held to the piece being collected.
    const int64_t time = event.time.frames;
    const uint32_t frame = static_cast<uint32_t>(std::clamp<int64_t>(time, fPieceStart, frames));
    const LV2_Atom& body = event.body;
    if (body.type == fUris.midiEvent) {
        addMidi(body, frame - fPieceStart);
    } else if (body.type == fUris.atomObject || body.type == fUris.atomBlank) {
        if (body.size < sizeof(LV2_Atom_Object_Body))
            return;
        const auto* const object = reinterpret_cast<const LV2_Atom_Object*>(&body);
        if (object->body.otype != fUris.timePosition)
            return;
        // The frames before a position play on the transport that was current for them.
        renderPiece(frame);
        fTransport.readPosition(fUris, object);
    }
}

// Messages of one to three bytes, as the other bindings carry them; longer ones (system
// exclusive) mean nothing to the groove.
void PluginLv2::addMidi(const LV2_Atom& atom, uint32_t frame) noexcept
{
    if (atom.size == 0 || atom.size > 3)
        return;
    MidiMessage message;
    message.frame = frame;
    message.size = 3;
    std::memcpy(message.data, LV2_ATOM_BODY_CONST(&atom), atom.size);
    static_cast<void>(fMidi.add(message)); // a full block counts the drop
}

void PluginLv2::renderPiece(uint32_t end) noexcept
{
    if (end <= fPieceStart)
        return;
    const uint32_t frames = end - fPieceStart;
    float* outputs[ORVANE_PLUGIN_NUM_OUTPUTS];
    for (uint32_t c = 0; c < ORVANE_PLUGIN_NUM_OUTPUTS; ++c) {
        if (fAudioOut[c] == nullptr)
            return;
        outputs[c] = fAudioOut[c] + fPieceStart;
    }
    fPlugin.setTransportInfo(fTransport.current());
    fPlugin.runCycle(nullptr, outputs, frames, fMidi.messages(), fMidi.count());
    fMidi.clear();
    fTransport.advance(frames, fPlugin.sampleRate());
    fPieceStart = end;
}

bool PluginLv2::writeMidiCallback(void* ptr, const MidiMessage& message) noexcept
{
    return static_cast<PluginLv2*>(ptr)->writeMidi(message);
}

bool PluginLv2::writeMidi(const MidiMessage& message) noexcept
{
    if (message.size == 0 || message.size > MidiMessage::kDataSize)
        return false;
    return appendEvent(fPieceStart + message.frame, fUris.midiEvent, message.data, message.size);
}

namespace {

// A monitor message as it lies in the sequence: an object with two atom:Int properties, each
// padded to 8 bytes.
struct MonitorBody {
    LV2_Atom_Object_Body object;
    LV2_Atom_Property_Body indexKey;
    int32_t index;
    int32_t indexPad;
    LV2_Atom_Property_Body valueKey;
    int32_t value;
    int32_t valuePad;
};

} // namespace

// Only what changed since the last block goes out, at the block's last frame; after activation
// everything goes out once, so that an editor opened earlier catches up.
void PluginLv2::publishMonitors(uint32_t frames) noexcept
{
    const uint32_t last = frames > 0 ? frames - 1 : 0;
    for (uint32_t i = 0; i < fMonitorCount; ++i) {
        const int32_t value = fPlugin.monitorValue(i);
        if (fMonitorsSent && value == fLastMonitors[i])
            continue;
        MonitorBody body{};
        body.object.otype = fUris.monitor;
        body.indexKey.key = fUris.monitorIndex;
        body.indexKey.value = {sizeof(int32_t), fUris.atomInt};
        body.index = static_cast<int32_t>(i);
        body.valueKey.key = fUris.monitorValue;
        body.valueKey.value = {sizeof(int32_t), fUris.atomInt};
        body.value = value;
        if (appendEvent(last, fUris.atomObject, &body, sizeof(body)))
            fLastMonitors[i] = value;
    }
    fMonitorsSent = true;
}

// A sequence must not go back in time: an event before the last one written is moved up to it.
// An event the host left no room for is counted as dropped.
bool PluginLv2::appendEvent(int64_t frame, LV2_URID type, const void* body, uint32_t size) noexcept
{
    if (fEventsOut == nullptr)
        return false;
    const uint32_t padded = lv2_atom_pad_size(static_cast<uint32_t>(sizeof(LV2_Atom_Event)) + size);
    if (fEventsOut->atom.size > fEventsOutCapacity ||
        fEventsOutCapacity - fEventsOut->atom.size < padded) {
        fPlugin.countDrop(Drop::HostPushRefusal);
        return false;
    }
    LV2_Atom_Event* const event = lv2_atom_sequence_end(&fEventsOut->body, fEventsOut->atom.size);
    fLastOutFrame = std::max(fLastOutFrame, frame);
    event->time.frames = fLastOutFrame;
    event->body.type = type;
    event->body.size = size;
    std::memcpy(LV2_ATOM_BODY(&event->body), body, size);
    fEventsOut->atom.size += padded;
    return true;
}

} // namespace Orvane
