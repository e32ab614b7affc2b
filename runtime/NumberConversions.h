// Float-to-integer conversions defined for every input (NaN gives 0, out-of-range values
// saturate), shared by every object that truncates.
#pragma once

#include <cstdint>

int32_t saturatingToInt32(float x) noexcept;
uint32_t saturatingToUint32(double x) noexcept;
