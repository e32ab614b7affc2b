// Soft precondition checks for the toolkit: a failed check prints one red line on standard error
// and the caller returns a neutral value; nothing aborts. Any thread may call these.
#pragma once

namespace Skein {

// The file argument is the source path without extension, e.g. "src/Window".
void reportAssertion(const char* expression, const char* file, int line) noexcept;
void reportAssertionValue(const char* expression, const char* file, int line, int value) noexcept;
void reportAssertionValue(
    const char* expression, const char* file, int line, unsigned value) noexcept;
void reportAssertionValues(
    const char* expression, const char* file, int line, int v1, int v2) noexcept;
void reportAssertionValues(
    const char* expression, const char* file, int line, unsigned v1, unsigned v2) noexcept;
void reportWarning(const char* text) noexcept;

} // namespace Skein

#define SKEIN_SOFT_ASSERT_RETURN(cond, file, line, ret)                                            \
    if (!(cond)) {                                                                                 \
        Skein::reportAssertion(#cond, file, line);                                                 \
        return ret;                                                                                \
    }

#define SKEIN_SOFT_ASSERT_VALUES_RETURN(cond, file, line, v1, v2, ret)                             \
    if (!(cond)) {                                                                                 \
        Skein::reportAssertionValues(#cond, file, line, v1, v2);                                   \
        return ret;                                                                                \
    }
