// The CLAP audio buses of one direction, built once at instance creation from the framework's
// audio ports; read by "clap.audio-ports" and by process. Main thread builds, then read-only.
#pragma once

#include "PluginAdapter.h"

#include <cstdint>
#include <vector>

namespace Orvane {

struct BusInfo {
    char name[256] = {};
    uint32_t channelCount = 1;
    bool hasPair = false;
    bool isCV = false;
    bool isMain = false;
    uint32_t id = 0;
};

struct BusList {
    std::vector<BusInfo> buses;
    // Some port of this direction is a CV port (which makes no bus).
    bool usesCV = false;
};

// Groups consecutive ports into buses: plain ports into one bus, sidechain ports into one, and
// ports of one group into one; the first bus of the list is the main one.
BusList buildBuses(const PluginAdapter& adapter, bool isInput);

} // namespace Orvane
