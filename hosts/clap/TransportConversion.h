// Turns the host's transport event of one block into the framework's TransportInfo. [audio-thread];
// pure function.
#pragma once

#include "ClapEvents.h"
#include "TransportInfo.h"

#include <cstdint>

namespace Orvane {

// `transport` may be null (no transport this block); `steadyTime` is negative when the host has
// no steady time.
TransportInfo convertTransport(
    const clap_event_transport_t* transport, int64_t steadyTime) noexcept;

} // namespace Orvane
