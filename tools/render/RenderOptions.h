// The render tool's command line: general options checked here, parameter options (named after
// the plug-in's parameter symbols) kept as text until the plug-in is loaded. Main thread.
#pragma once

#include "AudioFileWriter.h"
#include "support/SymbolOptions.h"

#include <cstdint>
#include <string>

struct RenderOptions {
    std::string pluginPath; // empty: searched for (PluginSearch.h)
    std::string statePath;
    std::string stateOutPath;
    std::string outputPath;
    AudioFileFormat format = AudioFileFormat::WavFloat;
    double beatsPerMinute = 120.0;
    uint16_t beatsPerBar = 4;
    uint16_t beatType = 4;
    uint32_t sampleRate = 48000;
    uint32_t blockSize = 0; // 0: the largest the plug-in accepts
    uint32_t bars = 8;
    double seconds = 0.0; // when not 0, used instead of bars
    bool help = false;
    bool verbose = false;
    // Options named after parameter symbols, checked once the plug-in is loaded.
    Support::GivenOptions parameters;
};

// False with a one-line `error` naming the offending argument.
bool parseRenderOptions(
    int argc, const char* const* argv, RenderOptions& options, std::string& error);

extern const char* const kRenderUsage;
