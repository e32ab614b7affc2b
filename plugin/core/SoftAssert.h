// Soft precondition checks of the framework: a failed check prints one red line on standard error
// and the caller carries on with a neutral value. Callable from any thread; prints only on failure.
#pragma once

namespace Orvane {

void reportAssertion(const char* condition, const char* file, int line) noexcept;
void reportAssertionInt(const char* condition, const char* file, int line, int value) noexcept;
void reportAssertionUInt(
    const char* condition, const char* file, int line, unsigned value) noexcept;
void reportAssertionInt2(
    const char* condition, const char* file, int line, int v1, int v2) noexcept;
void reportAssertionUInt2(
    const char* condition, const char* file, int line, unsigned v1, unsigned v2) noexcept;

// A warning line: the formatted text in the same red wrapping, without the assertion prefix.
void printWarning(const char* format, ...) noexcept __attribute__((format(printf, 1, 2)));

} // namespace Orvane

// Each check is an expression that yields the condition, so callers write
// `if (! ORVANE_CHECK(x != nullptr)) return false;`.
#define ORVANE_CHECK(cond)                                                                         \
    ((cond) ? true : (::Orvane::reportAssertion(#cond, __FILE__, __LINE__), false))
#define ORVANE_CHECK_INT(cond, value)                                                              \
    ((cond) ? true                                                                                 \
            : (::Orvane::reportAssertionInt(#cond, __FILE__, __LINE__, static_cast<int>(value)),   \
                  false))
#define ORVANE_CHECK_UINT(cond, value)                                                             \
    ((cond) ? true                                                                                 \
            : (::Orvane::reportAssertionUInt(                                                      \
                   #cond, __FILE__, __LINE__, static_cast<unsigned>(value)),                       \
                  false))
#define ORVANE_CHECK_INT2(cond, v1, v2)                                                            \
    ((cond) ? true                                                                                 \
            : (::Orvane::reportAssertionInt2(                                                      \
                   #cond, __FILE__, __LINE__, static_cast<int>(v1), static_cast<int>(v2)),         \
                  false))
#define ORVANE_CHECK_UINT2(cond, v1, v2)                                                           \
    ((cond) ? true                                                                                 \
            : (::Orvane::reportAssertionUInt2(#cond, __FILE__, __LINE__,                           \
                   static_cast<unsigned>(v1), static_cast<unsigned>(v2)),                          \
                  false))
