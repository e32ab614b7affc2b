// The rule for a parameter value that enters the plug-in from a host: finite, held to the
// parameter's range, whole steps for a stepped parameter, so that the groove, the host and the
// editor all see the same value. [any-thread]
#pragma once

#include "PluginAdapter.h"

#include <cstdint>

namespace Orvane {

// False for an unknown index or a value that is not finite; otherwise `usable` is the value to
// apply.
bool incomingParameterValue(
    const PluginAdapter& plugin, uint32_t index, double value, float& usable) noexcept;

} // namespace Orvane
