// The groove code: one line such as "D17:7:x1.5 B3:12:/2:-1" that holds the eight values of a
// groove (per drum Pattern, Length, Tempo and Tune), read and written without the plug-in, so that
// the editor, the render tool and the JACK program share it. [any-thread]
#pragma once

#include <string>

namespace Orvane {

struct GrooveDrum {
    int pattern = 1;
    int length = 4;
    // The Tempo value: 0 to 4, from x2 to /2.
    int tempo = 2;
    // In semitones, -12 to 12.
    double tune = 0.0;
};

struct Groove {
    GrooveDrum dayan;
    GrooveDrum baya;
};

// One value of a groove under the symbol of the parameter that holds it.
struct GrooveValue {
    const char* symbol;
    double value;
};
constexpr int kGrooveValueCount = 8;

// The code of a groove: Dayan first, the Tune left out when it rounds to 0.00.
std::string formatGrooveCode(const Groove& groove);

// Reads a code (letters in any case, "×" and "÷" for x and /, surrounding white space ignored). On
// a bad code, false with one line naming the first bad character, and `groove` untouched.
bool parseGrooveCode(const std::string& code, Groove& groove, std::string& error);

// The eight values in a fixed order: Dayan Pattern, Length, Tempo, Tune, then the Baya's.
void grooveValues(const Groove& groove, GrooveValue (&values)[kGrooveValueCount]);
// Sets the value held under `symbol` (rounded for the whole-number fields); false when the symbol
// is none of the groove's.
bool setGrooveValue(Groove& groove, const char* symbol, double value);

} // namespace Orvane
