// The rule for incoming parameter values. Any thread.
#include "IncomingValues.h"

#include <algorithm>
#include <cmath>

namespace Orvane {

bool acceptIncomingValue(
    const PluginAdapter& plugin, uint32_t index, double value, float& accepted) noexcept
{
    if (index >= plugin.parameterCount() || !std::isfinite(value))
        return false;
    const ValueRange& range = plugin.parameterRanges(index);
    double held = std::clamp(value, static_cast<double>(range.min), static_cast<double>(range.max));
    if ((plugin.parameterHints(index) & HintInteger) != 0)
        held = std::trunc(held);
    accepted = static_cast<float>(held);
    return true;
}

} // namespace Orvane
