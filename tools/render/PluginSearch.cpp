// The render tool's search for the plug-in it renders. Main thread.
#include "PluginSearch.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <sstream>

namespace {

constexpr const char* kPluginFile = "vantorel.clap";

std::string variable(const char* name)
{
    const char* const value = std::getenv(name);
    return value != nullptr ? value : "";
}

} // namespace

std::vector<std::string> pluginCandidates(const PluginSearchPlaces& places)
{
    std::vector<std::string> candidates;
    const std::string self = places.executableDir.empty() ? "" : places.executableDir + "/";
    if (!self.empty()) {
        candidates.push_back(self + "../lib/clap/" + kPluginFile);
        // Only a build folder has this place, so a tool built there renders its own plug-in.
        candidates.push_back(self + VANTOREL_RENDER_BUILD_TREE_PLUGIN);
    }
    std::istringstream folders(places.clapPath);
    for (std::string folder; std::getline(folders, folder, ':');) {
        if (!folder.empty())
            candidates.push_back(folder + "/" + kPluginFile);
    }
    if (!places.home.empty())
        candidates.push_back(places.home + "/.clap/" + kPluginFile);
    candidates.push_back(std::string("/usr/lib/clap/") + kPluginFile);
    if (!self.empty())
        candidates.push_back(self + kPluginFile);
    return candidates;
}

PluginSearchPlaces currentSearchPlaces()
{
    PluginSearchPlaces places;
    char self[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof(self) - 1);
    if (length > 0) {
        const std::string path(self, static_cast<size_t>(length));
        places.executableDir = path.substr(0, path.rfind('/'));
    }
    places.clapPath = variable("CLAP_PATH");
    places.home = variable("HOME");
    return places;
}

std::string findPlugin(const std::vector<std::string>& candidates)
{
    char resolved[PATH_MAX];
    for (const std::string& candidate : candidates) {
        if (access(candidate.c_str(), R_OK) == 0 &&
            realpath(candidate.c_str(), resolved) != nullptr)
            return resolved;
    }
    return "";
}
