// Float-to-integer conversions defined for every input (NaN gives 0, out-of-range values
// saturate), shared by every object that truncates. Pure functions. [any-thread]
#pragma once

#include <cstdint>

// Truncates toward zero; NaN gives 0, values beyond the range give INT32_MIN or INT32_MAX.
int32_t saturatingToInt32(float x) noexcept;
// Truncates toward zero; NaN and negatives give 0, values of 2^32 and more give UINT32_MAX.
uint32_t saturatingToUint32(double x) noexcept;
