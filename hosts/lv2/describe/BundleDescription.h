// Writes the Turtle descriptions of the LV2 bundle (manifest.ttl and vantorel.ttl) from what a
// plug-in instance describes: its identity and its parameter table. Run at build time, so the
// ports always match the table the DSP library is built with. Single-threaded.
#pragma once

#include "PluginAdapter.h"

#include <string>

namespace Orvane {

struct BundleFiles {
    std::string dspBinary;
    std::string uiBinary;
};

std::string manifestTurtle(const BundleFiles& files);
std::string pluginTurtle(const PluginAdapter& plugin);

} // namespace Orvane
