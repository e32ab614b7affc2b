// Construction, teardown, the JACK notification callbacks, the editor callbacks and the idle step
// of the JACK client (the process callback is in PluginJackProcess.cpp). Threads as in the header.
#include "PluginJack.h"

#include "AudioAssertions.h"
#include "CloseRequest.h"
#include "JackBinding.h"
#include "NumericHelpers.h"
#include "SoftAssert.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#if defined(__SSE__)
#include <xmmintrin.h>
#endif

namespace Orvane {

namespace {

constexpr const char* kXsdInteger = "http://www.w3.org/2001/XMLSchema#integer";
constexpr float kValueEpsilon = 1.1920929e-07f; // 2^-23

StandaloneEditorSetup editorSetup(
    PluginJack* owner, const PluginAdapter& plugin, uintptr_t parentWindow)
{
    StandaloneEditorSetup setup;
    setup.sampleRate = plugin.sampleRate();
    setup.processor = plugin.plugin();
    setup.parentWindow = parentWindow;
    setup.callbacksPtr = owner;
    setup.setParameter = PluginJack::setParameterCallback;
    setup.sendNote = PluginJack::sendNoteCallback;
    return setup;
}

} // namespace

PluginJack::PluginJack(jack_client_t* client, uintptr_t parentWindow)
    : fPlugin(this, writeMidiCallback, nullptr, nullptr),
      fEditor(editorSetup(this, fPlugin, parentWindow)), fClient(client)
{
    fNotesWriter.setRingBuffer(&fNotesRing, true);
    fNotesReader.setRingBuffer(&fNotesRing, false);

    registerAudioPorts(client);
    fPortEventsIn = Jack::portRegister(client, "events-in", kJackMidiType, JackPortIsInput, 0);
    fPortMidiOut = Jack::portRegister(client, "midi-out", kJackMidiType, JackPortIsOutput, 0);

    fCachedParameters.setup(fPlugin.parameterCount());
    for (uint32_t i = 0; i < fPlugin.parameterCount(); ++i) {
        if ((fPlugin.parameterHints(i) & HintOutput) == 0)
            fEditor.parameterChanged(i, fPlugin.parameterValue(i));
    }
    registerCallbacks(client);
}

PluginJack::~PluginJack()
{
    jack_client_t* const client = fClient.load();
    if (client != nullptr)
        Jack::deactivate(client);
    fPlugin.disable();
    if (client == nullptr)
        return;
    Jack::portUnregister(client, fPortMidiOut);
    Jack::portUnregister(client, fPortEventsIn);
    for (jack_port_t* port : fPortAudioOuts) {
        if (port != nullptr)
            Jack::portUnregister(client, port);
    }
    Jack::clientClose(client);
}

void PluginJack::registerAudioPorts(jack_client_t* client)
{
    for (uint32_t i = 0; i < kOutputCount; ++i) {
        const AudioPortInfo& info = fPlugin.audioPort(false, i);
        const unsigned long flags =
            JackPortIsOutput | ((info.hints & PortIsCV) != 0 ? JackPortIsControlVoltage : 0);
        jack_port_t* const jackport =
            Jack::portRegister(client, info.symbol.buffer(), kJackAudioType, flags, 0);
        if (!ORVANE_CHECK(jackport != nullptr))
            continue;
        fPortAudioOuts[i] = jackport;
        setPortMetadata(client, jackport, i);
    }
}

void PluginJack::setPortMetadata(jack_client_t* client, jack_port_t* port, uint32_t index)
{
    const jack_uuid_t uuid = Jack::portUuid(port);
    if (uuid == 0)
        return;
    const AudioPortInfo& info = fPlugin.audioPort(false, index);
    Jack::setProperty(client, uuid, kJackMetadataPrettyName, info.name.buffer(), "text/plain");
    char order[16];
    std::snprintf(order, sizeof(order), "%u", index);
    Jack::setProperty(client, uuid, kJackMetadataOrder, order, kXsdInteger);
    if (info.groupId != GroupNone) {
        const PortGroupInfo& group = fPlugin.portGroupById(info.groupId);
        Jack::setProperty(
            client, uuid, kJackMetadataPortGroup, group.symbol.buffer(), "text/plain");
    }
    const bool isCV = (info.hints & PortIsCV) != 0;
    Jack::setProperty(client, uuid, kJackMetadataSignalType, isCV ? "CV" : "AUDIO", "text/plain");
}

void PluginJack::registerCallbacks(jack_client_t* client)
{
    Jack::setThreadInitCallback(client, threadInitCallback, this);
    Jack::setBufferSizeCallback(client, bufferSizeCallback, this);
    Jack::setSampleRateCallback(client, sampleRateCallback, this);
    Jack::setProcessCallback(client, processCallback, this);
    Jack::onShutdown(client, shutdownCallback, this);
}

void PluginJack::setStartValue(uint32_t index, float value) noexcept
{
    if (!ORVANE_CHECK(index < fCachedParameters.count))
        return;
    fPlugin.setParameterValue(index, value);
    fCachedParameters.changed[index].store(true, std::memory_order_relaxed);
}

void PluginJack::activate()
{
    fPlugin.enable();
    Jack::activate(fClient.load());
    std::fflush(stdout);
}

void PluginJack::run()
{
    const char* name = nullptr;
    if (jack_client_t* const client = fClient.load())
        name = Jack::getClientName(client);
    fEditor.run(name != nullptr ? name : ORVANE_PLUGIN_NAME, *this);
}

void PluginJack::onIdleTick()
{
    // What the process thread could not print itself (the notes reader's warnings, say).
    printAudioReports();
    if (isCloseRequested()) {
        fEditor.close();
        return;
    }
    for (uint32_t i = 0; i < fCachedParameters.count; ++i) {
        const float value = fPlugin.parameterValue(i);
        if ((fPlugin.parameterHints(i) & HintOutput) != 0) {
            if (std::abs(value - fCachedParameters.value(i)) < kValueEpsilon)
                continue;
            fCachedParameters.values[i].store(value, std::memory_order_relaxed);
            fEditor.parameterChanged(i, value);
        } else if (fCachedParameters.changed[i].exchange(false, std::memory_order_relaxed)) {
            fEditor.parameterChanged(i, value);
        }
    }
    for (uint32_t i = 0; i < fPlugin.monitorCount(); ++i)
        fEditor.monitorValue(i, fPlugin.monitorValue(i));
    fEditor.idle();
}

// Values from the editor are held to the parameter's range, as a host's would be.
void PluginJack::setParameterCallback(void* ptr, uint32_t index, float value)
{
    PluginJack* const self = static_cast<PluginJack*>(ptr);
    const PluginAdapter& plugin = self->fPlugin;
    if (!ORVANE_CHECK(plugin.plugin() != nullptr))
        return;
    if (!ORVANE_CHECK(plugin.data() != nullptr && index < plugin.data()->parameterCount))
        return;
    if (!std::isfinite(value))
        return;
    const ValueRange& range = plugin.parameterRanges(index);
    self->fPlugin.setParameterValue(index, std::clamp(value, range.min, range.max));
}

void PluginJack::sendNoteCallback(void* ptr, uint8_t channel, uint8_t note, uint8_t velocity)
{
    PluginJack* const self = static_cast<PluginJack*>(ptr);
    const uint8_t status = static_cast<uint8_t>((channel & 0x0F) | (velocity != 0 ? 0x90 : 0x80));
    const uint8_t bytes[3] = {status, note, velocity};
    // The editor's callback has no answer: a full ring drops the note (a failed write makes the
    // commit discard it), and the ring control prints the first failure.
    static_cast<void>(self->fNotesWriter.writeCustomData(bytes, sizeof(bytes)));
    static_cast<void>(self->fNotesWriter.commitWrite());
}

bool PluginJack::writeMidi(const MidiMessage& message) noexcept
{
    void* const buffer = fPortMidiOutBuffer.load(std::memory_order_relaxed);
    if (buffer == nullptr) {
        if (!fMidiWriteRefused.exchange(true, std::memory_order_relaxed))
            reportAssertion("fPortMidiOutBuffer != nullptr", __FILE__, __LINE__);
        return false;
    }
    fMidiWriteRefused.store(false, std::memory_order_relaxed);
    const uint8_t* const data =
        message.size > MidiMessage::kDataSize ? message.dataExt : message.data;
    if (data == nullptr)
        return false;
    return Jack::midiEventWrite(buffer, message.frame + fChunkOffset, data, message.size);
}

// JACK is gone: no more calls on the client. The window closes when the loop ends.
void PluginJack::shutdown() noexcept
{
    std::fprintf(stderr, "jack has shutdown, quitting now...\n");
    fClient.store(nullptr);
    fEditor.requestQuit();
}

void PluginJack::threadInitCallback(void*)
{
#if defined(__SSE__)
    // Flush-to-zero and denormals-are-zero: the audio thread never computes with denormals.
    _mm_setcsr(_mm_getcsr() | 0x8040);
#endif
}

int PluginJack::bufferSizeCallback(jack_nframes_t size, void* ptr)
{
    static_cast<PluginJack*>(ptr)->fPlugin.changeBufferSize(size, true);
    return 0;
}

int PluginJack::sampleRateCallback(jack_nframes_t rate, void* ptr)
{
    static_cast<PluginJack*>(ptr)->fPlugin.changeSampleRate(rate, true);
    return 0;
}

int PluginJack::processCallback(jack_nframes_t frames, void* ptr) noexcept
{
    static_cast<PluginJack*>(ptr)->process(frames);
    return 0;
}

void PluginJack::shutdownCallback(void* ptr)
{
    static_cast<PluginJack*>(ptr)->shutdown();
}

bool PluginJack::writeMidiCallback(void* ptr, const MidiMessage& message) noexcept
{
    return static_cast<PluginJack*>(ptr)->writeMidi(message);
}

} // namespace Orvane
