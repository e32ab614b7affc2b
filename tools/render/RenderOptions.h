// The render tool's command line: general options checked here, parameter options (named after
// the plug-in's parameter symbols) kept as text until the plug-in is loaded. Main thread.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct RenderOptions {
    std::string pluginPath; // empty: the plug-in built next to the tool
    std::string statePath;
    std::string stateOutPath;
    std::string outputPath;
    bool sixteenBit = false;
    double beatsPerMinute = 120.0;
    uint16_t beatsPerBar = 4;
    uint16_t beatType = 4;
    uint32_t sampleRate = 48000;
    uint32_t blockSize = 256;
    uint32_t bars = 8;
    double seconds = 0.0; // when not 0, used instead of bars
    bool help = false;
    // (option as given, value text), in command-line order.
    std::vector<std::pair<std::string, std::string>> parameters;
};

// False with a one-line `error` naming the offending argument.
bool parseRenderOptions(
    int argc, const char* const* argv, RenderOptions& options, std::string& error);

// The option that sets a parameter: "--" and the symbol with '_' written as '-'.
std::string parameterOption(const std::string& symbol);

extern const char* const kRenderUsage;
