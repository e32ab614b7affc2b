// The JACK program's command line: the forms "selftest" and "embed WINDOW", "--help",
// "--state FILE", and starting values of parameters ("--SYMBOL VALUE", the symbol's '_' written
// as '-'). Words that are no option and no form are ignored. [main-thread].
#pragma once

#include "support/SymbolOptions.h"

#include <cstdint>
#include <string>

namespace Orvane {

struct StandaloneOptions {
    bool selfTest = false;
    bool help = false;
    // 0 for a window of its own.
    uintptr_t parentWindow = 0;
    // The state file, loaded at start and saved on the way out; empty for none.
    std::string statePath;
    // Options named after parameter symbols, checked against the plug-in later.
    Support::GivenOptions parameters;
};

// False with a one-line `error` when an option has no value.
bool parseStandaloneOptions(
    int argc, const char* const* argv, StandaloneOptions& options, std::string& error);

} // namespace Orvane
