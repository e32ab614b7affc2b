// JACK's transport state and position as the plug-in's TransportInfo. Audio thread; pure.
#pragma once

#include "JackDeclarations.h"
#include "TransportInfo.h"

namespace Orvane {

// A position whose two unique counters differ was torn while the server wrote it: it reports
// frame 0 and no musical position, with the playing flag still taken from the state.
TransportInfo transportFromJack(
    jack_transport_state_t state, const jack_position_t& position) noexcept;

} // namespace Orvane
