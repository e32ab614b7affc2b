// Host transport to TransportInfo, once per block on the audio thread.
#include "TransportConversion.h"

namespace Orvane {

namespace {

constexpr double kTicksPerBeat = 1920.0;
constexpr double kDefaultTempo = 120.0;

// The host's tempo is passed on as given: a block with an unusable tempo (0, negative, NaN)
// then sends no clock at all, rather than a clock at a tempo the host never asked for.
double hostTempo(const clap_event_transport_t& transport) noexcept
{
    return (transport.flags & CLAP_TRANSPORT_HAS_TEMPO) != 0 ? transport.tempo : kDefaultTempo;
}

void fillBarBeat(const clap_event_transport_t& transport, TransportInfo::BarBeatTick& bbt) noexcept
{
    constexpr uint32_t needed =
        CLAP_TRANSPORT_HAS_BEATS_TIMELINE | CLAP_TRANSPORT_HAS_TIME_SIGNATURE;
    // A numerator of 0 cannot divide beats into bars: no usable time signature.
    if ((transport.flags & needed) != needed || transport.tsig_num == 0)
        return;

    const int64_t beatsPerBar = transport.tsig_num;
    bbt.valid = true;
    bbt.beatsPerBar = static_cast<float>(beatsPerBar);
    bbt.beatType = static_cast<float>(transport.tsig_denom);
    if (transport.song_pos_beats < 0)
        return;

    const int64_t wholeBeats = transport.song_pos_beats >> 31;
    const int64_t fraction = transport.song_pos_beats & 0x7FFFFFFF;
    bbt.tick =
        static_cast<double>(fraction) * kTicksPerBeat / static_cast<double>(CLAP_BEATTIME_FACTOR);
    bbt.bar = static_cast<int32_t>(wholeBeats / beatsPerBar + 1);
    bbt.beat = static_cast<int32_t>(wholeBeats % beatsPerBar + 1);
    bbt.barStartTick = static_cast<double>(beatsPerBar) * kTicksPerBeat *
        static_cast<double>(wholeBeats / beatsPerBar);
}

} // namespace

TransportInfo convertTransport(const clap_event_transport_t* transport, int64_t steadyTime) noexcept
{
    TransportInfo info;
    info.bbt.ticksPerBeat = kTicksPerBeat;
    info.bbt.beatsPerMinute = kDefaultTempo;
    if (transport == nullptr)
        return info;

    info.playing = (transport->flags & CLAP_TRANSPORT_IS_PLAYING) != 0 &&
        (transport->flags & CLAP_TRANSPORT_IS_WITHIN_PRE_ROLL) == 0;
    info.frame = steadyTime > 0 ? static_cast<uint64_t>(steadyTime) : 0;
    info.bbt.beatsPerMinute = hostTempo(*transport);
    fillBarBeat(*transport, info.bbt);
    return info;
}

} // namespace Orvane
