// Reads the JACK program's command line. Main thread.
#include "StandaloneOptions.h"

#include <cstdlib>

namespace Orvane {

namespace {

// Read as far as it is a decimal number; 0 (no parent) when it starts with none.
uintptr_t windowNumber(const std::string& text)
{
    if (text.empty() || text[0] < '0' || text[0] > '9')
        return 0;
    return static_cast<uintptr_t>(std::strtoull(text.c_str(), nullptr, 10));
}

} // namespace

bool parseStandaloneOptions(
    int argc, const char* const* argv, StandaloneOptions& options, std::string& error)
{
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "-h" || argument == "--help") {
            options.help = true;
        } else if (argument.size() > 2 && argument.rfind("--", 0) == 0) {
            if (i + 1 >= argc) {
                error = argument + ": missing value";
                return false;
            }
            options.parameters.emplace_back(argument, argv[++i]);
        } else {
            words.push_back(argument);
        }
    }
    options.selfTest = argc == 2 && words.size() == 1 && words[0] == "selftest";
    if (words.size() == 2 && words[0] == "embed")
        options.parentWindow = windowNumber(words[1]);
    return true;
}

} // namespace Orvane
