// The render tool's transport: playing from bar 1 at a fixed tempo.
#include "TransportTimeline.h"

#include <cmath>

TransportTimeline::TransportTimeline(
    double sampleRate, double beatsPerMinute, uint16_t beatsPerBar, uint16_t beatType) noexcept
    : fSampleRate(sampleRate), fBeatsPerMinute(beatsPerMinute), fBeatsPerBar(beatsPerBar),
      fBeatType(beatType)
{
}

clap_event_transport_t TransportTimeline::at(uint64_t frame) const noexcept
{
    const double seconds = static_cast<double>(frame) / fSampleRate;
    const double beats = seconds * fBeatsPerMinute / 60.0;
    const double bar = std::floor(beats / fBeatsPerBar);

    clap_event_transport_t transport{};
    transport.header = {sizeof(transport), 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_TRANSPORT, 0};
    transport.flags = CLAP_TRANSPORT_HAS_TEMPO | CLAP_TRANSPORT_HAS_BEATS_TIMELINE |
        CLAP_TRANSPORT_HAS_SECONDS_TIMELINE | CLAP_TRANSPORT_HAS_TIME_SIGNATURE |
        CLAP_TRANSPORT_IS_PLAYING;
    transport.song_pos_beats = static_cast<clap_beattime>(std::floor(beats * CLAP_BEATTIME_FACTOR));
    transport.song_pos_seconds =
        static_cast<clap_sectime>(std::floor(seconds * CLAP_SECTIME_FACTOR));
    transport.tempo = fBeatsPerMinute;
    transport.bar_start = static_cast<clap_beattime>(bar * fBeatsPerBar) * CLAP_BEATTIME_FACTOR;
    transport.bar_number = static_cast<int32_t>(bar);
    transport.tsig_num = fBeatsPerBar;
    transport.tsig_denom = fBeatType;
    return transport;
}

uint64_t TransportTimeline::framesInBars(uint32_t bars) const noexcept
{
    const double beats = static_cast<double>(bars) * fBeatsPerBar;
    return static_cast<uint64_t>(std::ceil(beats * 60.0 / fBeatsPerMinute * fSampleRate));
}
