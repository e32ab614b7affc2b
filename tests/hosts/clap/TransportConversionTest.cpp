// The host transport of a block as the plug-in sees it.
#include "TransportConversion.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Orvane::convertTransport;
using Orvane::TransportInfo;

constexpr uint32_t kFullFlags = CLAP_TRANSPORT_HAS_TEMPO | CLAP_TRANSPORT_HAS_BEATS_TIMELINE |
    CLAP_TRANSPORT_HAS_TIME_SIGNATURE | CLAP_TRANSPORT_IS_PLAYING;

clap_event_transport_t transportAt(
    double beats, uint16_t numerator, uint16_t denominator, uint32_t flags = kFullFlags)
{
    clap_event_transport_t transport{};
    transport.header = {sizeof(transport), 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_TRANSPORT, 0};
    transport.flags = flags;
    transport.song_pos_beats =
        static_cast<clap_beattime>(std::llround(beats * CLAP_BEATTIME_FACTOR));
    transport.tempo = 97.5;
    transport.tsig_num = numerator;
    transport.tsig_denom = denominator;
    return transport;
}

void expectNoPosition(const TransportInfo& info)
{
    EXPECT_FALSE(info.bbt.valid);
    EXPECT_EQ(info.bbt.bar, 1);
    EXPECT_EQ(info.bbt.beat, 1);
    EXPECT_EQ(info.bbt.tick, 0.0);
    EXPECT_EQ(info.bbt.barStartTick, 0.0);
    EXPECT_EQ(info.bbt.beatsPerBar, 4.0f);
    EXPECT_EQ(info.bbt.beatType, 4.0f);
    EXPECT_EQ(info.bbt.ticksPerBeat, 1920.0);
}

TEST(TransportConversion, SevenEightAtBeatFifteenAndAHalf)
{
    const clap_event_transport_t transport = transportAt(15.5, 7, 8);
    const TransportInfo info = convertTransport(&transport, 4800);
    EXPECT_TRUE(info.playing);
    EXPECT_EQ(info.frame, 4800u);
    EXPECT_TRUE(info.bbt.valid);
    EXPECT_EQ(info.bbt.bar, 3);
    EXPECT_EQ(info.bbt.beat, 2);
    EXPECT_EQ(info.bbt.tick, 960.0);
    EXPECT_EQ(info.bbt.barStartTick, 26880.0);
    EXPECT_EQ(info.bbt.beatsPerBar, 7.0f);
    EXPECT_EQ(info.bbt.beatType, 8.0f);
    EXPECT_EQ(info.bbt.ticksPerBeat, 1920.0);
    EXPECT_EQ(info.bbt.beatsPerMinute, 97.5);
}

TEST(TransportConversion, NegativePositionsStartAtTheFirstBeat)
{
    const clap_event_transport_t transport = transportAt(-2.25, 3, 4);
    const TransportInfo info = convertTransport(&transport, 0);
    EXPECT_TRUE(info.bbt.valid);
    EXPECT_EQ(info.bbt.bar, 1);
    EXPECT_EQ(info.bbt.beat, 1);
    EXPECT_EQ(info.bbt.tick, 0.0);
    EXPECT_EQ(info.bbt.barStartTick, 0.0);
    EXPECT_EQ(info.bbt.beatsPerBar, 3.0f);
}

TEST(TransportConversion, MissingOrUnusableFieldsFallBack)
{
    const TransportInfo none = convertTransport(nullptr, 1234);
    EXPECT_FALSE(none.playing);
    EXPECT_EQ(none.frame, 0u);
    EXPECT_EQ(none.bbt.beatsPerMinute, 120.0);
    expectNoPosition(none);

    // A numerator of 0 cannot divide beats into bars.
    const clap_event_transport_t zeroNumerator = transportAt(15.5, 0, 8);
    expectNoPosition(convertTransport(&zeroNumerator, 0));

    const clap_event_transport_t noSignature =
        transportAt(15.5, 7, 8, kFullFlags & ~CLAP_TRANSPORT_HAS_TIME_SIGNATURE);
    expectNoPosition(convertTransport(&noSignature, 0));
    const clap_event_transport_t noTimeline =
        transportAt(15.5, 7, 8, kFullFlags & ~CLAP_TRANSPORT_HAS_BEATS_TIMELINE);
    expectNoPosition(convertTransport(&noTimeline, 0));

    // No steady time: frame 0 in every block.
    const clap_event_transport_t playing = transportAt(1, 4, 4);
    EXPECT_EQ(convertTransport(&playing, -1).frame, 0u);

    const clap_event_transport_t preRoll =
        transportAt(1, 4, 4, kFullFlags | CLAP_TRANSPORT_IS_WITHIN_PRE_ROLL);
    EXPECT_FALSE(convertTransport(&preRoll, 0).playing);
    const clap_event_transport_t stopped =
        transportAt(1, 4, 4, kFullFlags & ~CLAP_TRANSPORT_IS_PLAYING);
    EXPECT_FALSE(convertTransport(&stopped, 0).playing);

    clap_event_transport_t tempo = transportAt(1, 4, 4, kFullFlags & ~CLAP_TRANSPORT_HAS_TEMPO);
    EXPECT_EQ(convertTransport(&tempo, 0).bbt.beatsPerMinute, 120.0);
    // Whatever tempo the host gives is passed on; the plug-in's clock refuses unusable ones.
    tempo.flags = kFullFlags;
    for (const double given : {0.0, -90.0, HUGE_VAL}) {
        tempo.tempo = given;
        EXPECT_EQ(convertTransport(&tempo, 0).bbt.beatsPerMinute, given);
    }
}

} // namespace
