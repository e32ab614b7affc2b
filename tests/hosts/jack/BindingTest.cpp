// The JACK binding without its library (built to load a file that does not exist), the JACK
// declarations against JACK's own headers, the status text and the transport conversion.
#include "JackBinding.h"
#include "JackStatusText.h"
#include "JackTransport.h"
#include "StreamCapture.h"

#include <gtest/gtest.h>
#include <jack/jack.h>
#include <jack/midiport.h>

#include <cstddef>

namespace {

TEST(JackBinding, WithoutTheLibraryEveryCallIsNeutral)
{
    StreamCapture errors(stderr);
    Orvane::jack_status_t status = 0x11;
    EXPECT_EQ(Orvane::Jack::clientOpen("Vantorel", Orvane::JackNoStartServer, &status), nullptr);
    EXPECT_EQ(errors.text().rfind("Failed to load JACK DLL, reason:\n", 0), 0u);
    EXPECT_EQ(status, 0x20);
    EXPECT_FALSE(Orvane::Jack::isRealJack());

    auto* client = reinterpret_cast<Orvane::jack_client_t*>(16);
    auto* port = reinterpret_cast<Orvane::jack_port_t*>(16);
    Orvane::jack_position_t position = {};
    position.frame = 77;
    EXPECT_EQ(Orvane::Jack::transportQuery(client, &position), Orvane::JackTransportStopped);
    EXPECT_EQ(position.frame, 77u);
    EXPECT_EQ(Orvane::Jack::portRegister(client, "x", Orvane::kJackAudioType, 0, 0), nullptr);
    EXPECT_EQ(Orvane::Jack::portGetBuffer(port, 64), nullptr);
    EXPECT_EQ(Orvane::Jack::getSampleRate(client), 0u);
    EXPECT_EQ(Orvane::Jack::getClientName(client), nullptr);
    EXPECT_EQ(Orvane::Jack::cpuLoad(client), 0.0f);
    EXPECT_EQ(Orvane::Jack::midiGetEventCount(port), 0u);
    Orvane::jack_midi_event_t event;
    EXPECT_FALSE(Orvane::Jack::midiEventGet(&event, port, 0));
    const uint8_t note[3] = {0x90, 60, 1};
    EXPECT_FALSE(Orvane::Jack::midiEventWrite(port, 0, note, 3));
    EXPECT_FALSE(Orvane::Jack::setProperty(client, 5, "key", "value", "text/plain"));
    char* value = nullptr;
    EXPECT_EQ(Orvane::Jack::getProperty(5, "key", &value, nullptr), -1);
    Orvane::Jack::transportStart(client);
    Orvane::Jack::midiClearBuffer(port);
}

#define EXPECT_SAME_FIELD(ours, theirs, field)                                                     \
    EXPECT_EQ(offsetof(Orvane::ours, field), offsetof(theirs, field)) << #field

TEST(JackBinding, DeclarationsMatchTheLibraryLayouts)
{
    EXPECT_EQ(sizeof(Orvane::jack_position_t), sizeof(jack_position_t));
    EXPECT_SAME_FIELD(jack_position_t, jack_position_t, frame);
    EXPECT_SAME_FIELD(jack_position_t, jack_position_t, valid);
    EXPECT_SAME_FIELD(jack_position_t, jack_position_t, bar_start_tick);
    EXPECT_SAME_FIELD(jack_position_t, jack_position_t, beats_per_minute);
    EXPECT_SAME_FIELD(jack_position_t, jack_position_t, tick_double);
    EXPECT_SAME_FIELD(jack_position_t, jack_position_t, unique_2);
    EXPECT_EQ(sizeof(Orvane::jack_midi_event_t), sizeof(jack_midi_event_t));
    EXPECT_SAME_FIELD(jack_midi_event_t, jack_midi_event_t, buffer);
    EXPECT_EQ(Orvane::JackPositionBBT, static_cast<uint32_t>(JackPositionBBT));
    EXPECT_EQ(Orvane::JackTickDouble, static_cast<uint32_t>(JackTickDouble));
    EXPECT_STREQ(Orvane::kJackAudioType, JACK_DEFAULT_AUDIO_TYPE);
    EXPECT_STREQ(Orvane::kJackMidiType, JACK_DEFAULT_MIDI_TYPE);
}

TEST(JackStatusText, OneLinePerBitTheLastEndingInAFullStop)
{
    EXPECT_EQ(Orvane::jackStatusReasons(0x11),
        "Overall operation failed;\nUnable to connect to the JACK server.\n");
    EXPECT_EQ(Orvane::jackStatusReasons(0x10000), "Native audio driver was unable to start.\n");
    EXPECT_EQ(Orvane::jackStatusReasons(0), "");
    EXPECT_EQ(Orvane::jackStatusReasons(0x2000), "");
}

TEST(JackTransport, PositionsBecomeTransportInfo)
{
    Orvane::jack_position_t position = {};
    position.unique_1 = position.unique_2 = 9;
    position.frame = 48000;
    position.valid = Orvane::JackPositionBBT | Orvane::JackTickDouble;
    position.bar = 3;
    position.beat = 2;
    position.tick = 100;
    position.tick_double = 100.25;
    position.beats_per_bar = 3.0f;
    position.beat_type = 8.0f;
    position.ticks_per_beat = 960.0;
    position.beats_per_minute = 133.0;
    Orvane::TransportInfo info = Orvane::transportFromJack(Orvane::JackTransportRolling, position);
    EXPECT_TRUE(info.playing);
    EXPECT_EQ(info.frame, 48000u);
    EXPECT_TRUE(info.bbt.valid);
    EXPECT_EQ(info.bbt.bar, 3);
    EXPECT_EQ(info.bbt.tick, 100.25);
    EXPECT_EQ(info.bbt.beatType, 8.0f);
    EXPECT_EQ(info.bbt.beatsPerMinute, 133.0);

    position.valid = Orvane::JackPositionBBT;
    EXPECT_EQ(Orvane::transportFromJack(Orvane::JackTransportStarting, position).bbt.tick, 100.0);
    EXPECT_FALSE(Orvane::transportFromJack(Orvane::JackTransportStarting, position).playing);

    // Torn while the server wrote it: no position, but the state still counts.
    position.unique_2 = 10;
    info = Orvane::transportFromJack(Orvane::JackTransportRolling, position);
    EXPECT_TRUE(info.playing);
    EXPECT_EQ(info.frame, 0u);
    EXPECT_FALSE(info.bbt.valid);
}

} // namespace
