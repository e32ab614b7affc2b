// The texts of the two Tune parameters, in semitones from -12 to +12: the Dayan's reads as the
// note of its Sa (C#4 at 0) with cents when off the semitone, the Baya's as signed semitones.
// Both read a signed number of semitones back; the Dayan's also a note name with optional cents.
// Pure functions, independent of the process locale. [any-thread]
#pragma once

#include <cstddef>

namespace Orvane {

constexpr double kTuneRange = 12.0;

// "C#4", "D4", "D4 +25 ct", "C4 -30 ct": nearest semitone in sharps, cents -50 to +49.
void dayanTuneText(double semitones, char* text, size_t size) noexcept;
// "+2.00 st", "-1.50 st", "0.00 st".
void bayaTuneText(double semitones, char* text, size_t size) noexcept;

// Read "+2", "-1.5", "2 st" (the minus sign U+2212 as well); the Dayan's also "D4", "Eb4 -10",
// "c#4 +25 ct". False for anything else, non-finite numbers included; a value read is clamped to
// the range.
bool parseDayanTuneText(const char* text, double& semitones) noexcept;
bool parseBayaTuneText(const char* text, double& semitones) noexcept;

} // namespace Orvane
