// Descriptions of audio ports and port groups, and the predefined group ids.
// Filled once on the main thread when an instance is created; read-only afterwards.
#pragma once

#include "String.h"

#include <cstdint>

namespace Orvane {

constexpr uint32_t PortIsCV = 0x01;
constexpr uint32_t PortIsSidechain = 0x02;

constexpr uint32_t GroupNone = 0xFFFFFFFF;
constexpr uint32_t GroupMono = 0xFFFFFFFE;
constexpr uint32_t GroupStereo = 0xFFFFFFFD;

struct AudioPortInfo {
    uint32_t hints = 0;
    String name;
    String symbol;
    uint32_t groupId = GroupNone;
};

struct PortGroupInfo {
    String name;
    String symbol;
    uint32_t groupId = GroupNone;
};

} // namespace Orvane
