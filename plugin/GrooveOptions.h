// "--groove CODE" among a host's parameter options: the code stands for the eight options of its
// values, given before the single options so that those still set what they name. The render
// tool and the JACK program share it. [main-thread]
#pragma once

#include <string>

#include "support/SymbolOptions.h"

namespace Orvane {

constexpr const char* kGrooveOption = "--groove";

// Replaces each "--groove CODE" in `given` by the options of its values ("--dayan-pattern 17",
// ...), all of them before the other options, codes in the order given. False with one line,
// and `given` untouched, when a code is bad.
bool expandGrooveOptions(Support::GivenOptions& given, std::string& error);

} // namespace Orvane
