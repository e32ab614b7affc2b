// The audio thread must not print: its failed soft checks and warnings are recorded here (kind,
// texts and values, no formatting) in a fixed, lock-free table, and the main thread prints them
// at its next opportunity, each distinct line at most once a second with a repeat count.
#pragma once

#include <cstdint>

namespace Orvane {

// Which printed line a record stands for; the values are those of the matching variant.
enum class AudioReportKind : uint8_t {
    Assertion, // no value
    AssertionUInt, // ", value %u"
    AssertionUInt2, // ", v1 %u, v2 %u"
    WarningPointerSize, // a warning whose format takes a pointer and an unsigned long
};

// [audio-thread] Records one failure; never allocates, locks or prints. `text` is the condition
// (or the warning's format) and `file` the source path: both must be string literals, since
// they are kept by address. A table that is full only counts.
void recordAudioReport(AudioReportKind kind, const char* text, const char* file, int line,
    uint64_t v1 = 0, uint64_t v2 = 0) noexcept;

// [any-thread] True once after new records arrived, until the next one: a plug-in then asks its
// host for a main-thread callback.
[[nodiscard]] bool takeAudioReportRequest() noexcept;

// [main-thread] Prints the lines recorded since they were last printed, with a repeat count when
// a line stands for more than one failure; a line printed less than a second before waits.
// `nowSeconds` is a monotonic time; the overload without it reads the monotonic clock.
void printAudioReports(double nowSeconds) noexcept;
void printAudioReports() noexcept;

} // namespace Orvane

// The audio thread's forms of ORVANE_CHECK (SoftAssert.h): the same expressions and lines, but
// recorded for the main thread instead of printed.
#define ORVANE_AUDIO_CHECK(cond)                                                                   \
    ((cond) ? true                                                                                 \
            : (::Orvane::recordAudioReport(                                                        \
                   ::Orvane::AudioReportKind::Assertion, #cond, __FILE__, __LINE__),               \
                  false))
#define ORVANE_AUDIO_CHECK_UINT(cond, value)                                                       \
    ((cond) ? true                                                                                 \
            : (::Orvane::recordAudioReport(::Orvane::AudioReportKind::AssertionUInt, #cond,        \
                   __FILE__, __LINE__, static_cast<unsigned>(value)),                              \
                  false))
#define ORVANE_AUDIO_CHECK_UINT2(cond, v1, v2)                                                     \
    ((cond) ? true                                                                                 \
            : (::Orvane::recordAudioReport(::Orvane::AudioReportKind::AssertionUInt2, #cond,       \
                   __FILE__, __LINE__, static_cast<unsigned>(v1), static_cast<unsigned>(v2)),      \
                  false))
