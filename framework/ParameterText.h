// Conversions between parameter values and the texts a host shows: enumeration labels, integers
// and plain numbers. [main-thread]; pure functions over the adapter's parameter descriptions.
#pragma once

#include "PluginAdapter.h"

#include <cstdint>

namespace Orvane {

// Writes at most `size` bytes including the NUL; `size` must not be 0. Callers check the index.
void parameterValueToText(
    const PluginAdapter& adapter, uint32_t index, double value, char* text, uint32_t size) noexcept;
// An enumeration label gives its value; otherwise the text is read as a number (base-10 integer
// for integer parameters), 0 when it holds none.
double parameterTextToValue(
    const PluginAdapter& adapter, uint32_t index, const char* text) noexcept;

// Rounds half away from zero; values too large to have a fraction are taken as they are.
double roundHalfAwayFromZero(double value) noexcept;

} // namespace Orvane
