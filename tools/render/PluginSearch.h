// Where the render tool looks for vantorel.clap when no --plugin names one. Pure; main thread.
#pragma once

#include <string>
#include <vector>

struct PluginSearchPlaces {
    std::string executableDir; // the folder of the running vantorel-render
    std::string clapPath; // the CLAP_PATH variable: folders separated by ':'
    std::string home; // the HOME variable
};

// The files to try, in order: the installed layout beside the tool (bin/../lib/clap), the build
// folder the tool was built in, each CLAP_PATH folder, ~/.clap, /usr/lib/clap, the tool's own
// folder. Empty places are left out.
std::vector<std::string> pluginCandidates(const PluginSearchPlaces& places);

// The places of this process: its executable's folder and its environment.
PluginSearchPlaces currentSearchPlaces();

// The first candidate that exists, as an absolute path without '..', or empty.
std::string findPlugin(const std::vector<std::string>& candidates);
