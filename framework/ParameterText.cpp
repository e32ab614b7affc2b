// Parameter values to and from display texts. Main thread.
#include "ParameterText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace Orvane {

double roundHalfAwayFromZero(double value) noexcept
{
    constexpr double kExact = 4503599627370496.0; // 2^52: no fraction left above this
    if (!(std::abs(value) < kExact))
        return value;
    return std::round(value);
}

void parameterValueToText(
    const PluginAdapter& adapter, uint32_t index, double value, char* text, uint32_t size) noexcept
{
    const uint32_t hints = adapter.parameterHints(index);
    const ValueRange& range = adapter.parameterRanges(index);
    if (hints & HintBoolean)
        value = value > (range.min + range.max) / 2.0 ? range.max : range.min;
    else if (hints & HintInteger)
        value = roundHalfAwayFromZero(value);

    const EnumValueList& enumeration = adapter.parameterEnumValues(index);
    for (uint8_t i = 0; i < enumeration.count; ++i) {
        if (std::abs(enumeration.values[i].value - value) <
            std::numeric_limits<double>::epsilon()) {
            std::snprintf(text, size, "%s", enumeration.values[i].label.buffer());
            return;
        }
    }
    if (hints & HintInteger) {
        // The int conversion needs a value that fits; anything else is shown at the int limits.
        const double bounded =
            std::isnan(value) ? 0.0 : std::fmax(std::fmin(value, 2147483647.0), -2147483648.0);
        std::snprintf(text, size, "%d", static_cast<int>(bounded));
    } else {
        std::snprintf(text, size, "%f", value);
    }
}

double parameterTextToValue(const PluginAdapter& adapter, uint32_t index, const char* text) noexcept
{
    const EnumValueList& enumeration = adapter.parameterEnumValues(index);
    for (uint8_t i = 0; i < enumeration.count; ++i) {
        if (enumeration.values[i].label == text)
            return enumeration.values[i].value;
    }
    if (adapter.parameterHints(index) & HintInteger)
        return static_cast<double>(std::strtol(text, nullptr, 10));
    return std::strtod(text, nullptr);
}

} // namespace Orvane
