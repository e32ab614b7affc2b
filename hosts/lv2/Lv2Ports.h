// The port indices of the LV2 plug-in, shared by the DSP library, its editor and the bundle's
// descriptions: the two event sequences, the audio outputs, then one control input per parameter
// in index order.
#pragma once

#include "OrvanePluginInfo.h"

#include <cstdint>

namespace Orvane {

enum Lv2Port : uint32_t {
    kLv2EventsIn = 0,
    kLv2EventsOut = 1,
    kLv2FirstAudioOut = 2,
    kLv2FirstControl = kLv2FirstAudioOut + ORVANE_PLUGIN_NUM_OUTPUTS,
};

} // namespace Orvane
