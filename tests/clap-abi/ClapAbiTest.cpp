// The CLAP declarations: including every header compiles its layout checks; the identifier
// texts and constant values are the standard's.
#include "ClapAudioPorts.h"
#include "ClapCore.h"
#include "ClapEvents.h"
#include "ClapGui.h"
#include "ClapNotePorts.h"
#include "ClapParams.h"
#include "ClapPlugin.h"
#include "ClapProcess.h"
#include "ClapState.h"
#include "ClapTimer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ClapAbi, IdentifierTexts)
{
    EXPECT_EQ(std::string(CLAP_PLUGIN_FACTORY_ID), "clap.plugin-factory");
    EXPECT_EQ(std::string(CLAP_EXT_PARAMS), "clap.params");
    EXPECT_EQ(std::string(CLAP_EXT_STATE), "clap.state");
    EXPECT_EQ(std::string(CLAP_EXT_AUDIO_PORTS), "clap.audio-ports");
    EXPECT_EQ(std::string(CLAP_EXT_NOTE_PORTS), "clap.note-ports");
    EXPECT_EQ(std::string(CLAP_EXT_GUI), "clap.gui");
    EXPECT_EQ(std::string(CLAP_EXT_TIMER_SUPPORT), "clap.timer-support");
    EXPECT_EQ(std::string(CLAP_WINDOW_API_X11), "x11");
    EXPECT_EQ(std::string(CLAP_PORT_STEREO), "stereo");
    EXPECT_EQ(std::string(CLAP_PLUGIN_FEATURE_INSTRUMENT), "instrument");
}

TEST(ClapAbi, ConstantValues)
{
    EXPECT_EQ(CLAP_INVALID_ID, 0xFFFFFFFFu);
    EXPECT_EQ(CLAP_BEATTIME_FACTOR, 2147483648);
    EXPECT_EQ(CLAP_EVENT_PARAM_GESTURE_END, 8);
    EXPECT_EQ(CLAP_EVENT_MIDI, 10);
    EXPECT_EQ(CLAP_EVENT_MIDI2, 12);
    EXPECT_EQ(CLAP_TRANSPORT_IS_PLAYING, 0x10);
    EXPECT_EQ(CLAP_TRANSPORT_IS_WITHIN_PRE_ROLL, 0x80);
    EXPECT_EQ(CLAP_PROCESS_SLEEP, 4);
    EXPECT_EQ(CLAP_PARAM_IS_STEPPED | CLAP_PARAM_IS_BYPASS | CLAP_PARAM_IS_AUTOMATABLE, 0x31u);
    EXPECT_EQ(CLAP_PARAM_REQUIRES_PROCESS, 0x8000u);
    EXPECT_EQ(CLAP_PARAM_RESCAN_VALUES | CLAP_PARAM_RESCAN_TEXT, 3u);
    EXPECT_EQ(CLAP_NOTE_DIALECT_MIDI, 2u);
    EXPECT_EQ(CLAP_AUDIO_PORT_REQUIRES_COMMON_SAMPLE_SIZE, 8u);
}

TEST(ClapAbi, VersionCompatibilityNeedsMajorOne)
{
    EXPECT_TRUE(clap_version_is_compatible(CLAP_VERSION));
    EXPECT_TRUE(clap_version_is_compatible({2, 0, 0}));
    EXPECT_FALSE(clap_version_is_compatible({0, 9, 9}));
    EXPECT_EQ(CLAP_VERSION.minor, 1u);
    EXPECT_EQ(CLAP_VERSION.revision, 1u);
}

} // namespace
