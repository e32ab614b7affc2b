// The Control Change map's rows and scales. Construction on the main thread, map() on the audio
// thread: integer arithmetic and one division, no allocation.
#include "ControlChangeMap.h"

#include <algorithm>

namespace Orvane {

ControlChangeMap::ControlChangeMap(const PluginAdapter& plugin)
{
    for (uint32_t row = 0; row < kRowCount; ++row) {
        fIndex[row] = kNoParameter;
        for (uint32_t i = 0; i < plugin.parameterCount(); ++i) {
            if (!plugin.isParameterOutputOrTrigger(i) &&
                plugin.parameterSymbol(i) == kRows[row].symbol) {
                fIndex[row] = i;
                break;
            }
        }
    }
}

bool ControlChangeMap::map(
    uint8_t controller, uint8_t value, uint32_t& index, float& result) noexcept
{
    value &= 0x7F;
    for (uint32_t row = 0; row < kRowCount; ++row) {
        const Row& entry = kRows[row];
        const bool coarse = controller == entry.controller;
        const bool fine = isWide(entry.scale) && controller == entry.controller + kFineOffset;
        if ((!coarse && !fine) || fIndex[row] == kNoParameter)
            continue;
        uint32_t number = value;
        if (isWide(entry.scale)) {
            if (coarse) {
                fCoarse[row] = value;
                fFine[row] = 0;
            } else {
                fFine[row] = value;
            }
            number = 128u * fCoarse[row] + fFine[row];
        }
        index = fIndex[row];
        result = scaled(entry.scale, number);
        return true;
    }
    return false;
}

float ControlChangeMap::scaled(Scale scale, uint32_t value) noexcept
{
    switch (scale) {
    case Scale::Pattern:
        return static_cast<float>(std::clamp<uint32_t>(value, 1, 1337));
    case Scale::Length:
        return static_cast<float>(4 + value * 13 / 128);
    case Scale::Tempo:
        return static_cast<float>(value * 5 / 128);
    case Scale::Tune:
        break;
    }
    return static_cast<float>(-12.0 + 24.0 * value / 16383.0);
}

} // namespace Orvane
