// Description of one plug-in parameter: hints, texts, range, enumeration, designation and group.
// Filled once on the main thread when an instance is created; read-only afterwards.
#pragma once

#include "PortInfo.h"
#include "String.h"

#include <cstdint>

namespace Orvane {

constexpr uint32_t HintAutomatable = 0x01;
constexpr uint32_t HintBoolean = 0x02;
constexpr uint32_t HintInteger = 0x04;
constexpr uint32_t HintOutput = 0x10;
// Only meaningful together with HintBoolean.
constexpr uint32_t HintTrigger = 0x20;

constexpr uint32_t DesignationNone = 0;
constexpr uint32_t DesignationBypass = 1;

struct ValueRange {
    float def = 0.0f;
    float min = 0.0f;
    float max = 1.0f;
};

struct EnumValue {
    float value = 0.0f;
    String label;
};

// A list of named values; `owned` lists are released together with their ParameterInfo.
struct EnumValueList {
    uint8_t count = 0;
    bool restrictedMode = false;
    EnumValue* values = nullptr;
    bool owned = true;

    EnumValueList() = default;
    EnumValueList(const EnumValueList&) = delete;
    EnumValueList& operator=(const EnumValueList&) = delete;
    ~EnumValueList() { release(); }

    // Replaces the list with `newCount` owned default entries; false (and an empty list) when
    // the allocation fails.
    bool allocate(uint8_t newCount);
    void release() noexcept;
};

struct ParameterInfo {
    uint32_t hints = 0;
    String name;
    String shortName;
    String symbol;
    String unit;
    String description;
    ValueRange ranges;
    EnumValueList enumValues;
    uint32_t designation = DesignationNone;
    uint8_t midiCC = 0;
    uint32_t groupId = GroupNone;

    // Reported by the plug-in, never set by the host and never saved.
    bool isOutputOrTrigger() const noexcept
    {
        return (hints & HintOutput) != 0 ||
            (hints & (HintTrigger | HintBoolean)) == (HintTrigger | HintBoolean);
    }
};

} // namespace Orvane
