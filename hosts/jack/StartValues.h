// Starting values from the command line, checked against the plug-in's parameters, and the help
// text that lists them. Main thread.
#pragma once

#include "PluginAdapter.h"
#include "StandaloneOptions.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Orvane {

struct StartValue {
    uint32_t index;
    float value;
};

// A value is accepted when it lies in the parameter's range and its text is what the plug-in
// shows for it or a plain number. False with a one-line `error` naming the option.
bool resolveStartValues(const PluginAdapter& plugin, const StandaloneOptions& options,
    std::vector<StartValue>& values, std::string& error);

// The command-line forms, then every parameter's option with its range and default.
std::string standaloneUsage(const PluginAdapter& plugin);

} // namespace Orvane
