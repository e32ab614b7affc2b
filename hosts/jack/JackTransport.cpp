// JACK transport to TransportInfo. Audio thread.
#include "JackTransport.h"

namespace Orvane {

TransportInfo transportFromJack(
    jack_transport_state_t state, const jack_position_t& position) noexcept
{
    TransportInfo transport;
    transport.playing = state == JackTransportRolling;
    if (position.unique_1 != position.unique_2)
        return transport;

    transport.frame = position.frame;
    if ((position.valid & JackPositionBBT) == 0)
        return transport;

    TransportInfo::BarBeatTick& bbt = transport.bbt;
    bbt.valid = true;
    bbt.bar = position.bar;
    bbt.beat = position.beat;
    bbt.tick = (position.valid & JackTickDouble) != 0 ? position.tick_double : position.tick;
    bbt.barStartTick = position.bar_start_tick;
    bbt.beatsPerBar = position.beats_per_bar;
    bbt.beatType = position.beat_type;
    bbt.ticksPerBeat = position.ticks_per_beat;
    bbt.beatsPerMinute = position.beats_per_minute;
    return transport;
}

} // namespace Orvane
