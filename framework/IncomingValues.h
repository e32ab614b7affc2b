// The one rule for a parameter value that enters the plug-in from outside: a host's events and
// saved state, an editor's knobs, MIDI Control Change, starting values on a command line. Every
// binding applies it, so that the same input stores the same value whichever host delivers it.
// [any-thread] Never allocates, locks or waits.
#pragma once

#include "PluginAdapter.h"

#include <cstdint>

namespace Orvane {

// False, with `accepted` untouched, for an index at or beyond the parameter count or a value that
// is not finite. Otherwise `accepted` is the value held to the parameter's range and, for a
// stepped (HintInteger) parameter, truncated toward zero: the groove, the editor and the saved
// state then all see the same whole step.
[[nodiscard]] bool acceptIncomingValue(
    const PluginAdapter& plugin, uint32_t index, double value, float& accepted) noexcept;

} // namespace Orvane
