// "clap.audio-ports" and "clap.note-ports" as a host reads them.
#include "ClapFixture.h"
#include "StreamCapture.h"

namespace {

class ClapPortsTest : public ClapFixture { };

TEST_F(ClapPortsTest, OneStereoMainOutputBus)
{
    const clap_plugin_audio_ports_t& ports = *instance->audioPorts();
    EXPECT_EQ(ports.count(plugin(), true), 0u);
    ASSERT_EQ(ports.count(plugin(), false), 1u);

    clap_audio_port_info_t info{};
    ASSERT_TRUE(ports.get(plugin(), 0, false, &info));
    EXPECT_EQ(info.id, 0u);
    EXPECT_STREQ(info.name, "Audio Output");
    EXPECT_EQ(info.flags, CLAP_AUDIO_PORT_IS_MAIN);
    EXPECT_EQ(info.channel_count, 2u);
    EXPECT_EQ(info.port_type, nullptr);
    EXPECT_EQ(info.in_place_pair, CLAP_INVALID_ID);
}

TEST_F(ClapPortsTest, MissingBusesAreReportedAndRefused)
{
    const clap_plugin_audio_ports_t& ports = *instance->audioPorts();
    clap_audio_port_info_t info{};
    StreamCapture capture(stderr);
    EXPECT_FALSE(ports.get(plugin(), 1, false, &info));
    EXPECT_FALSE(ports.get(plugin(), 0, true, &info));
    EXPECT_FALSE(ports.get(plugin(), 0, false, nullptr));
    const std::string text = capture.text();
    EXPECT_NE(text.find("\"index < busInfos.size()\" in file hosts/clap/PortsExtension, line "),
        std::string::npos)
        << text;
}

TEST_F(ClapPortsTest, OneMidiNotePortEachWay)
{
    const clap_plugin_note_ports_t& ports = *instance->notePorts();
    for (const bool isInput : {true, false}) {
        EXPECT_EQ(ports.count(plugin(), isInput), 1u);
        clap_note_port_info_t info{};
        ASSERT_TRUE(ports.get(plugin(), 0, isInput, &info));
        EXPECT_EQ(info.id, 0u);
        EXPECT_EQ(info.supported_dialects, CLAP_NOTE_DIALECT_MIDI);
        EXPECT_EQ(info.preferred_dialect, CLAP_NOTE_DIALECT_MIDI);
        EXPECT_STREQ(info.name, isInput ? "Event/MIDI Input" : "Event/MIDI Output");
    }
    EXPECT_FALSE(ports.get(plugin(), 0, true, nullptr));
}

} // namespace
