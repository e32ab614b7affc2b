// The JACK program's command line: the forms "selftest" and "embed WINDOW", "--help", and
// starting values of parameters ("--SYMBOL VALUE", the symbol's '_' written as '-'). Words that
// are no option and no form are ignored. Main thread.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace Orvane {

struct StandaloneOptions {
    bool selfTest = false;
    bool help = false;
    // 0 for a window of its own.
    uintptr_t parentWindow = 0;
    // (option as given, value text), in command-line order; checked against the plug-in later.
    std::vector<std::pair<std::string, std::string>> parameters;
};

// False with a one-line `error` when an option has no value.
bool parseStandaloneOptions(
    int argc, const char* const* argv, StandaloneOptions& options, std::string& error);

} // namespace Orvane
