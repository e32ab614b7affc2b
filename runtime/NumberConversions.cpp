// Float-to-integer conversions that are defined for every input, so that no message value can
// reach undefined behaviour through a cast. Pure functions; any thread.
#include "NumberConversions.h"

#include <limits>

int32_t saturatingToInt32(float x) noexcept
{
    // 2^31 is exactly representable; every float below it and at or above -2^31 truncates safely.
    constexpr float kLimit = 2147483648.0f;
    if (x != x)
        return 0;
    if (x >= kLimit)
        return std::numeric_limits<int32_t>::max();
    if (x < -kLimit)
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(x);
}

uint32_t saturatingToUint32(double x) noexcept
{
    constexpr double kLimit = 4294967296.0;
    if (!(x > 0.0))
        return 0; // NaN, zero and negatives
    if (x >= kLimit)
        return std::numeric_limits<uint32_t>::max();
    return static_cast<uint32_t>(x);
}
