// The framework's soft precondition checks: the shared printer of support/SoftAssert.h under the
// framework's names. A failed check prints one red line on standard error and the caller carries
// on with a neutral value. [any-thread] Prints only on failure.
#pragma once

#include "support/SoftAssert.h"

namespace Orvane {

using Support::printWarning;
using Support::reportAssertion;

} // namespace Orvane

// Each check is an expression that yields the condition, so callers write
// `if (! ORVANE_CHECK(x != nullptr)) return false;`.
#define ORVANE_CHECK(cond) SOFT_CHECK_TEXT(cond, #cond)
#define ORVANE_CHECK_INT(cond, value) SOFT_CHECK_INT_TEXT(cond, #cond, value)
#define ORVANE_CHECK_UINT(cond, value) SOFT_CHECK_UINT_TEXT(cond, #cond, value)
#define ORVANE_CHECK_INT2(cond, v1, v2) SOFT_CHECK_INT2_TEXT(cond, #cond, v1, v2)
#define ORVANE_CHECK_UINT2(cond, v1, v2) SOFT_CHECK_UINT2_TEXT(cond, #cond, v1, v2)
