// Soft precondition checks shared by the framework, the toolkit, the editor and the standalone
// program: a failed check prints one red line on standard error and the caller carries on with a
// neutral value; nothing aborts. [any-thread] Prints only on failure, one write per line.
#pragma once

namespace Support {

// "assertion failure: \"<condition>\" in file <file>, line <line>", with the file shown without
// its extension ("src/Window.cpp" and "src/Window" both print "src/Window").
void reportAssertion(const char* condition, const char* file, int line) noexcept;
// The same line with ", value <value>".
void reportAssertionValue(const char* condition, const char* file, int line, int value) noexcept;
void reportAssertionValue(
    const char* condition, const char* file, int line, unsigned value) noexcept;
// The same line with ", v1 <v1>, v2 <v2>".
void reportAssertionValues(
    const char* condition, const char* file, int line, int v1, int v2) noexcept;
void reportAssertionValues(
    const char* condition, const char* file, int line, unsigned v1, unsigned v2) noexcept;
// A warning: the formatted text (at most 1023 bytes) in the same red wrapping, without the prefix.
void printWarning(const char* format, ...) noexcept __attribute__((format(printf, 1, 2)));

} // namespace Support

// Checks as expressions that yield the condition, placed by __FILE__ and __LINE__:
// `if (!SOFT_CHECK(p != nullptr)) return false;`. The value variants print their values as int
// or unsigned. The _TEXT forms take the condition's text, for macros that forward their argument
// (which the preprocessor would expand before it is turned into text).
#define SOFT_CHECK(cond) SOFT_CHECK_TEXT(cond, #cond)
#define SOFT_CHECK_INT(cond, value) SOFT_CHECK_INT_TEXT(cond, #cond, value)
#define SOFT_CHECK_UINT(cond, value) SOFT_CHECK_UINT_TEXT(cond, #cond, value)
#define SOFT_CHECK_INT2(cond, v1, v2) SOFT_CHECK_INT2_TEXT(cond, #cond, v1, v2)
#define SOFT_CHECK_UINT2(cond, v1, v2) SOFT_CHECK_UINT2_TEXT(cond, #cond, v1, v2)

#define SOFT_CHECK_TEXT(cond, text)                                                                \
    ((cond) ? true : (::Support::reportAssertion(text, __FILE__, __LINE__), false))
#define SOFT_CHECK_INT_TEXT(cond, text, value)                                                     \
    ((cond) ? true                                                                                 \
            : (::Support::reportAssertionValue(text, __FILE__, __LINE__, static_cast<int>(value)), \
                  false))
#define SOFT_CHECK_UINT_TEXT(cond, text, value)                                                    \
    ((cond) ? true                                                                                 \
            : (::Support::reportAssertionValue(                                                    \
                   text, __FILE__, __LINE__, static_cast<unsigned>(value)),                        \
                  false))
#define SOFT_CHECK_INT2_TEXT(cond, text, v1, v2)                                                   \
    ((cond) ? true                                                                                 \
            : (::Support::reportAssertionValues(                                                   \
                   text, __FILE__, __LINE__, static_cast<int>(v1), static_cast<int>(v2)),          \
                  false))
#define SOFT_CHECK_UINT2_TEXT(cond, text, v1, v2)                                                  \
    ((cond) ? true                                                                                 \
            : (::Support::reportAssertionValues(text, __FILE__, __LINE__,                          \
                   static_cast<unsigned>(v1), static_cast<unsigned>(v2)),                          \
                  false))

// Statements that return `ret` (nothing, for a void function: leave the argument empty) from the
// calling function when the check fails, placed by an explicit file and line.
#define SOFT_ASSERT_RETURN(cond, file, line, ret)                                                  \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            ::Support::reportAssertion(#cond, file, line);                                         \
            return ret;                                                                            \
        }                                                                                          \
    } while (false)
#define SOFT_ASSERT_VALUES_RETURN(cond, file, line, v1, v2, ret)                                   \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            ::Support::reportAssertionValues(#cond, file, line, v1, v2);                           \
            return ret;                                                                            \
        }                                                                                          \
    } while (false)
