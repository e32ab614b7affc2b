// Float comparisons used by the framework's checks (a change smaller than epsilon is no change).
// Pure functions. [any-thread]
#pragma once

#include <cmath>
#include <limits>

namespace Orvane {

template <typename T> inline bool d_isEqual(T a, T b) noexcept
{
    return std::abs(a - b) < std::numeric_limits<T>::epsilon();
}

template <typename T> inline bool d_isNotEqual(T a, T b) noexcept
{
    return !d_isEqual(a, b);
}

template <typename T> inline bool d_isNotZero(T value) noexcept
{
    return std::abs(value) >= std::numeric_limits<T>::epsilon();
}

} // namespace Orvane
