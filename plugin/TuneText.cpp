// Tune texts and their parsers. Any thread.
#include "TuneText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace Orvane {

namespace {

// The Dayan's Sa at Tune 0, C#4, as a MIDI note number.
constexpr int kSaNote = 61;
constexpr const char* kNoteNames[12] = {
    "C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
// Semitones above C of the natural notes C D E F G A B.
constexpr int kNaturalSteps[7] = {0, 2, 4, 5, 7, 9, 11};

// Rounded hundredths of a value in range (cents of a semitone).
long hundredths(double semitones) noexcept
{
    const double bounded =
        std::isnan(semitones) ? 0.0 : std::clamp(semitones, -kTuneRange, kTuneRange);
    return std::lround(bounded * 100.0);
}

// The largest multiple of `step` not above `value`, for negative values too.
long floorMultiple(long value, long step) noexcept
{
    const long quotient = value / step;
    return (value % step != 0 && value < 0 ? quotient - 1 : quotient) * step;
}

void skipSpaces(const char*& p) noexcept
{
    while (*p == ' ' || *p == '\t')
        ++p;
}

// '+', '-' or U+2212: +1 or -1; 0 (nothing read) when there is no sign.
int readSign(const char*& p) noexcept
{
    if (*p == '+' || *p == '-')
        return *p++ == '+' ? 1 : -1;
    if (p[0] == '\xE2' && p[1] == '\x88' && p[2] == '\x92') {
        p += 3;
        return -1;
    }
    return 0;
}

bool isDigit(char c) noexcept
{
    return c >= '0' && c <= '9';
}

// Digits with an optional fraction, after an optional sign; no exponent, no words such as "inf".
// False when no digit is found.
bool readNumber(const char*& p, double& value) noexcept
{
    const int sign = readSign(p);
    const char* const first = p;
    while (isDigit(*p))
        ++p;
    bool digits = p != first;
    if (*p == '.') {
        const char* const fraction = ++p;
        while (isDigit(*p))
            ++p;
        digits = digits || p != fraction;
    }
    if (!digits)
        return false;
    // Read in the C locale's terms whatever the process locale; too many digits are refused.
    const auto [end, error] = std::from_chars(first, p, value, std::chars_format::fixed);
    if (error != std::errc() || end != p)
        return false;
    value = sign < 0 ? -value : value;
    return true;
}

// The rest of the text is at most the unit word (any case), with spaces around it.
bool onlyUnitLeft(const char* p, const char* unit) noexcept
{
    skipSpaces(p);
    const size_t length = std::strlen(unit);
    bool same = true;
    for (size_t i = 0; i < length && same; ++i)
        same = (p[i] | 0x20) == unit[i];
    if (same)
        p += length;
    skipSpaces(p);
    return *p == '\0';
}

// "D4", "Eb4", "c#4", then optional cents: semitones from the Sa.
bool readNote(const char*& p, double& semitones) noexcept
{
    const char letter = static_cast<char>(*p | 0x20);
    if (letter < 'a' || letter > 'g')
        return false;
    int note = kNaturalSteps[(letter - 'a' + 5) % 7];
    ++p;
    if (*p == '#' || *p == 'b')
        note += *p++ == '#' ? 1 : -1;
    if (!isDigit(*p))
        return false;
    int octave = 0;
    // Far beyond the range already; more digits are refused.
    for (int digits = 0; isDigit(*p); ++p, ++digits) {
        if (digits == 3)
            return false;
        octave = octave * 10 + (*p - '0');
    }
    semitones = (octave + 1) * 12 + note - kSaNote;
    skipSpaces(p);
    double cents = 0.0;
    if (*p != '\0' && !readNumber(p, cents))
        return false;
    semitones += cents / 100.0;
    return true;
}

bool parseTuneText(const char* text, bool notes, double& semitones) noexcept
{
    if (text == nullptr)
        return false;
    const char* p = text;
    skipSpaces(p);
    double value = 0.0;
    const char* const start = p;
    if (notes && readNote(p, value)) {
        if (!onlyUnitLeft(p, "ct"))
            return false;
    } else {
        p = start;
        if (!readNumber(p, value) || !onlyUnitLeft(p, "st"))
            return false;
    }
    if (!std::isfinite(value))
        return false;
    semitones = std::clamp(value, -kTuneRange, kTuneRange);
    return true;
}

} // namespace

void dayanTuneText(double semitones, char* text, size_t size) noexcept
{
    const long cents = hundredths(semitones);
    // Cents from -50 to +49 around the nearest semitone.
    const long nearest = floorMultiple(cents + 50, 100);
    const int note = kSaNote + static_cast<int>(nearest / 100);
    const long offset = cents - nearest;
    if (offset == 0)
        std::snprintf(text, size, "%s%d", kNoteNames[note % 12], note / 12 - 1);
    else
        std::snprintf(text, size, "%s%d %+ld ct", kNoteNames[note % 12], note / 12 - 1, offset);
}

void bayaTuneText(double semitones, char* text, size_t size) noexcept
{
    const long h = hundredths(semitones);
    const char* sign = h > 0 ? "+" : h < 0 ? "-" : "";
    std::snprintf(text, size, "%s%ld.%02ld st", sign, std::labs(h) / 100, std::labs(h) % 100);
}

bool parseDayanTuneText(const char* text, double& semitones) noexcept
{
    return parseTuneText(text, true, semitones);
}

bool parseBayaTuneText(const char* text, double& semitones) noexcept
{
    return parseTuneText(text, false, semitones);
}

} // namespace Orvane
