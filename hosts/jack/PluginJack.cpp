// Construction, teardown, the JACK notification callbacks, the editor callbacks and the idle step
// of the JACK client (the process callback is in PluginJackProcess.cpp). Threads as in the header.
#include "PluginJack.h"

#include "AudioAssertions.h"
#include "IncomingValues.h"
#include "JackBinding.h"
#include "NumericHelpers.h"
#include "SignalRequests.h"
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
    setup.editor.sampleRate = plugin.sampleRate();
    setup.editor.processor = plugin.plugin();
    setup.editor.parentWindow = parentWindow;
    setup.editor.callbacksPtr = owner;
    setup.editor.setParameter = PluginJack::setParameterCallback;
    setup.editor.sendNote = PluginJack::sendNoteCallback;
    setup.values.resize(plugin.parameterCount());
    for (uint32_t i = 0; i < plugin.parameterCount(); ++i)
        setup.values[i] = plugin.parameterValue(i);
    return setup;
}

} // namespace

PluginJack::PluginJack(jack_client_t* client, uintptr_t parentWindow)
    : fPlugin(this, writeMidiCallback, nullptr, nullptr),
      fEditor(editorSetup(this, fPlugin, parentWindow)), fControlChanges(fPlugin), fClient(client),
      fMidiInput(fPlugin)
{
    registerAudioPorts(client);
    fPortEventsIn = Jack::portRegister(client, "events-in", kJackMidiType, JackPortIsInput, 0);
    fPortMidiOut = Jack::portRegister(client, "midi-out", kJackMidiType, JackPortIsOutput, 0);

    fCachedParameters.setup(fPlugin.parameterCount());
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
    float accepted;
    if (!ORVANE_CHECK(index < fCachedParameters.count) ||
        !acceptIncomingValue(fPlugin, index, value, accepted))
        return;
    fPlugin.setParameterValue(index, accepted);
    fCachedParameters.changed[index].store(true, std::memory_order_relaxed);
}

void PluginJack::activate()
{
    fPlugin.enable();
    Jack::activate(fClient.load());
    std::fflush(stdout);
}

void PluginJack::run(bool inSession)
{
    const char* name = nullptr;
    if (jack_client_t* const client = fClient.load())
        name = Jack::getClientName(client);
    fEditor.run(name != nullptr ? name : ORVANE_PLUGIN_NAME, *this, inSession);
}

void PluginJack::showEditor(bool show)
{
    fEditor.show(show);
}

bool PluginJack::isEditorShown() const noexcept
{
    return fEditor.isShown();
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
    if (fIdleWork)
        fIdleWork();
}

// Values from the editor follow the same rule as a host's.
void PluginJack::setParameterCallback(void* ptr, uint32_t index, float value)
{
    PluginJack* const self = static_cast<PluginJack*>(ptr);
    const PluginAdapter& plugin = self->fPlugin;
    if (!ORVANE_CHECK(plugin.plugin() != nullptr))
        return;
    if (!ORVANE_CHECK(plugin.data() != nullptr && index < plugin.data()->parameterCount))
        return;
    float accepted;
    if (acceptIncomingValue(plugin, index, value, accepted))
        self->fPlugin.setParameterValue(index, accepted);
}

void PluginJack::sendNoteCallback(void* ptr, uint8_t channel, uint8_t note, uint8_t velocity)
{
    // The editor's callback has no answer: a full ring drops the note and prints the first
    // failure.
    static_cast<void>(static_cast<PluginJack*>(ptr)->fNotes.send(channel, note, velocity));
}

bool PluginJack::writeMidi(const MidiMessage& message) noexcept
{
    // Refusals are counted like a CLAP host's refused pushes: reported at deactivation.
    void* const buffer = fPortMidiOutBuffer.load(std::memory_order_relaxed);
    if (buffer == nullptr) {
        fPlugin.countDrop(Drop::HostPushRefusal);
        if (!fMidiWriteRefused.exchange(true, std::memory_order_relaxed))
            reportAssertion("fPortMidiOutBuffer != nullptr", __FILE__, __LINE__);
        return false;
    }
    fMidiWriteRefused.store(false, std::memory_order_relaxed);
    const uint8_t* const data =
        message.size > MidiMessage::kDataSize ? message.dataExt : message.data;
    if (data == nullptr)
        return false;
    // A full port buffer refuses it; the plug-in sends a refused note off again later.
    const bool written =
        Jack::midiEventWrite(buffer, message.frame + fChunkOffset, data, message.size);
    if (!written)
        fPlugin.countDrop(Drop::HostPushRefusal);
    return written;
}

// JACK is gone: no more calls on the client. The window closes when the loop ends.
void PluginJack::shutdown() noexcept
{
    std::fprintf(stderr, "jack has shutdown, quitting now...\n");
    fClient.store(nullptr);
    fEditor.requestQuit();
}

void PluginJack::threadInitCallback(void*) noexcept
{
#if defined(__SSE__)
    // Flush-to-zero and denormals-are-zero: the audio thread never computes with denormals.
    _mm_setcsr(_mm_getcsr() | 0x8040);
#endif
}

// A plug-in that cannot take a new buffer size or rate (out of memory, say) says so, and JACK
// takes the client out of the graph; no exception crosses into JACK.
template <typename Change>
int PluginJack::changeOrRefuse(Change change, const char* what, jack_nframes_t value) noexcept
{
    try {
        change();
        return 0;
    } catch (...) {
        std::fprintf(stderr, "Failed to change the %s to %u\n", what, value);
        return 1;
    }
}

int PluginJack::bufferSizeCallback(jack_nframes_t size, void* ptr) noexcept
{
    PluginAdapter& plugin = static_cast<PluginJack*>(ptr)->fPlugin;
    return changeOrRefuse([&] { plugin.changeBufferSize(size, true); }, "buffer size", size);
}

int PluginJack::sampleRateCallback(jack_nframes_t rate, void* ptr) noexcept
{
    PluginAdapter& plugin = static_cast<PluginJack*>(ptr)->fPlugin;
    return changeOrRefuse([&] { plugin.changeSampleRate(rate, true); }, "sample rate", rate);
}

int PluginJack::processCallback(jack_nframes_t frames, void* ptr) noexcept
{
    static_cast<PluginJack*>(ptr)->process(frames);
    return 0;
}

void PluginJack::shutdownCallback(void* ptr) noexcept
{
    static_cast<PluginJack*>(ptr)->shutdown();
}

bool PluginJack::writeMidiCallback(void* ptr, const MidiMessage& message) noexcept
{
    return static_cast<PluginJack*>(ptr)->writeMidi(message);
}

} // namespace Orvane
