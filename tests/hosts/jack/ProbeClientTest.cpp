// PluginJack around the probe plug-in (which echoes every MIDI message it gets to "midi-out"),
// its cycles run by the test itself on a registered, inactive client: notes from the editor, the
// split of a cycle longer than the plug-in's buffer size, MIDI written outside a cycle, and no
// allocation in the process callback.
#include "AllocationCounter.h"
#include "JackBinding.h"
#include "JackTestServer.h"
#include "PendingValues.h"
#include "PluginJack.h"
#include "ProbePlugin.h"
#include "StreamCapture.h"

#include <gtest/gtest.h>
#include <jack/jack.h>
#include <jack/midiport.h>

#include <cstdlib>
#include <memory>

namespace {

using StandaloneTest::JackTestServer;

constexpr uint32_t kCycle = 256;

class ProbeClient : public ::testing::Test {
protected:
    void SetUp() override
    {
        unsetenv("DISPLAY"); // no editor window for this client
        ASSERT_TRUE(fServer.running());
        Orvane::jack_status_t status = 0;
        fClient = Orvane::Jack::clientOpen("Probe", Orvane::JackNoStartServer, &status);
        ASSERT_NE(fClient, nullptr);
        Orvane::pendingSampleRate = 48000.0;
        Orvane::pendingBufferSize = 64;
        fJack = std::make_unique<Orvane::PluginJack>(fClient, 0);
        fProbe = static_cast<ProbePlugin*>(fJack->adapter().plugin());
    }

    // The messages on "midi-out" after the last cycle: (frame, bytes).
    std::vector<std::pair<uint32_t, std::vector<uint8_t>>> midiOut()
    {
        auto* client = reinterpret_cast<jack_client_t*>(fClient);
        const std::string name = std::string(jack_get_client_name(client)) + ":midi-out";
        void* buffer = jack_port_get_buffer(jack_port_by_name(client, name.c_str()), kCycle);
        std::vector<std::pair<uint32_t, std::vector<uint8_t>>> events;
        for (uint32_t i = 0; i < jack_midi_get_event_count(buffer); ++i) {
            jack_midi_event_t event;
            jack_midi_event_get(&event, buffer, i);
            events.emplace_back(
                event.time, std::vector<uint8_t>(event.buffer, event.buffer + event.size));
        }
        return events;
    }

    JackTestServer fServer;
    Orvane::jack_client_t* fClient = nullptr;
    std::unique_ptr<Orvane::PluginJack> fJack;
    ProbePlugin* fProbe = nullptr;
};

TEST_F(ProbeClient, EditorNotesReachThePluginAtFrameZeroOfTheNextCycle)
{
    Orvane::PluginJack::sendNoteCallback(fJack.get(), 2, 60, 0);
    Orvane::PluginJack::sendNoteCallback(fJack.get(), 0, 61, 100);
    fJack->process(kCycle);
    using Event = std::pair<uint32_t, std::vector<uint8_t>>;
    EXPECT_EQ(midiOut(), (std::vector<Event>{{0, {0x82, 60, 0}}, {0, {0x90, 61, 100}}}));
    fJack->process(kCycle);
    EXPECT_TRUE(midiOut().empty());
}

// JACK may deliver a cycle before telling the new buffer size: the plug-in still never gets more
// frames than it was told.
TEST_F(ProbeClient, ACycleLongerThanTheBufferSizeIsRenderedInPieces)
{
    fProbe->clearCalls();
    fJack->process(kCycle);
    const std::vector<ProbeCall> calls = fProbe->calls();
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[0].kind, ProbeCallKind::Activate);
    for (size_t i = 1; i < calls.size(); ++i)
        EXPECT_EQ(calls[i], (ProbeCall{ProbeCallKind::Render, 64.0}));
}

TEST_F(ProbeClient, MidiWrittenOutsideACycleIsRefusedWithOneLine)
{
    Orvane::MidiMessage message;
    message.size = 1;
    message.data[0] = 0xF8;
    StreamCapture errors(stderr);
    EXPECT_FALSE(fProbe->emitMidi(message));
    EXPECT_FALSE(fProbe->emitMidi(message));
    const std::string text = errors.text();
    EXPECT_EQ(
        text.find(
            "assertion failure: \"fPortMidiOutBuffer != nullptr\" in file hosts/jack/PluginJack"),
        5u)
        << text;
    EXPECT_EQ(text.find("assertion failure", 6), std::string::npos) << text;
}

TEST_F(ProbeClient, TheProcessCallbackAllocatesNothing)
{
    fJack->process(kCycle); // the first cycle activates the plug-in
    AllocationCounter counter;
    for (int i = 0; i < 50; ++i) {
        Orvane::PluginJack::sendNoteCallback(fJack.get(), 0, 60, 100);
        fJack->process(kCycle);
    }
    counter.stop();
    EXPECT_EQ(counter.count(), 0);
}

} // namespace
