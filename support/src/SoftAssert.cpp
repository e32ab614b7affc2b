// Prints the soft assertion and warning lines; one formatted write per line so that lines from
// different threads do not interleave. [any-thread]
#include "support/SoftAssert.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace Support {

namespace {

// The file is shown without its extension ("framework/Plugin"), so the length printed stops at
// the last dot of the final path component.
int lengthWithoutExtension(const char* file) noexcept
{
    const char* const slash = std::strrchr(file, '/');
    const char* const dot = std::strrchr(file, '.');
    const size_t length = std::strlen(file);
    if (dot == nullptr || (slash != nullptr && dot < slash))
        return static_cast<int>(length);
    return static_cast<int>(dot - file);
}

} // namespace

#define SUPPORT_ASSERT_LINE(suffix)                                                                \
    "\x1b[31massertion failure: \"%s\" in file %.*s, line %i" suffix "\x1b[0m\n"

void reportAssertion(const char* condition, const char* file, int line) noexcept
{
    std::fprintf(
        stderr, SUPPORT_ASSERT_LINE(""), condition, lengthWithoutExtension(file), file, line);
}

void reportAssertionValue(const char* condition, const char* file, int line, int value) noexcept
{
    std::fprintf(stderr, SUPPORT_ASSERT_LINE(", value %i"), condition, lengthWithoutExtension(file),
        file, line, value);
}

void reportAssertionValue(
    const char* condition, const char* file, int line, unsigned value) noexcept
{
    std::fprintf(stderr, SUPPORT_ASSERT_LINE(", value %u"), condition, lengthWithoutExtension(file),
        file, line, value);
}

void reportAssertionValues(
    const char* condition, const char* file, int line, int v1, int v2) noexcept
{
    std::fprintf(stderr, SUPPORT_ASSERT_LINE(", v1 %i, v2 %i"), condition,
        lengthWithoutExtension(file), file, line, v1, v2);
}

void reportAssertionValues(
    const char* condition, const char* file, int line, unsigned v1, unsigned v2) noexcept
{
    std::fprintf(stderr, SUPPORT_ASSERT_LINE(", v1 %u, v2 %u"), condition,
        lengthWithoutExtension(file), file, line, v1, v2);
}

void printWarning(const char* format, ...) noexcept
{
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof(text), format, args);
    va_end(args);
    std::fprintf(stderr, "\x1b[31m%s\x1b[0m\n", text);
}

} // namespace Support
