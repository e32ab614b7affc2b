// Prints the soft assertion and warning lines on standard error, one write per line so that
// lines from several threads do not interleave; any thread.
#include "skein/SoftAssert.h"

#include <cstdio>

#define SKEIN_RED "\x1b[31m"
#define SKEIN_RESET "\x1b[0m\n"
#define SKEIN_PREFIX SKEIN_RED "assertion failure: \"%s\" in file %s, line %i"

namespace Skein {

void reportAssertion(const char* expression, const char* file, int line) noexcept
{
    std::fprintf(stderr, SKEIN_PREFIX SKEIN_RESET, expression, file, line);
}

void reportAssertionValue(const char* expression, const char* file, int line, int value) noexcept
{
    std::fprintf(stderr, SKEIN_PREFIX ", value %i" SKEIN_RESET, expression, file, line, value);
}

void reportAssertionValue(
    const char* expression, const char* file, int line, unsigned value) noexcept
{
    std::fprintf(stderr, SKEIN_PREFIX ", value %u" SKEIN_RESET, expression, file, line, value);
}

void reportAssertionValues(
    const char* expression, const char* file, int line, int v1, int v2) noexcept
{
    std::fprintf(stderr, SKEIN_PREFIX ", v1 %i, v2 %i" SKEIN_RESET, expression, file, line, v1, v2);
}

void reportAssertionValues(
    const char* expression, const char* file, int line, unsigned v1, unsigned v2) noexcept
{
    std::fprintf(stderr, SKEIN_PREFIX ", v1 %u, v2 %u" SKEIN_RESET, expression, file, line, v1, v2);
}

void reportWarning(const char* text) noexcept
{
    std::fprintf(stderr, SKEIN_RED "%s" SKEIN_RESET, text);
}

} // namespace Skein
