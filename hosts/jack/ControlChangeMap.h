// The groove's MIDI Control Change map on channel 1: Pattern and Tune as 14-bit pairs (coarse
// controller, fine controller 32 above it), Length and Tempo in equal bands of the value byte.
// Every other controller, Bank Select included, sets nothing. Rows name their parameter by
// symbol, so a plug-in without one of them simply has no such row.
// Made on the main thread; map() runs on the audio thread only (it keeps the coarse values).
#pragma once

#include "PluginAdapter.h"

#include <cstdint>

namespace Orvane {

class ControlChangeMap {
public:
    explicit ControlChangeMap(const PluginAdapter& plugin);

    // [audio-thread] The parameter and value that Control Change `controller` with value byte
    // `value` on channel 1 sets; false when it sets none.
    bool map(uint8_t controller, uint8_t value, uint32_t& index, float& result) noexcept;

private:
    enum class Scale : uint8_t {
        Pattern, // 14-bit, clamp(w, 1, 1337)
        Length, // 4 + floor(v * 13 / 128)
        Tempo, // floor(v * 5 / 128)
        Tune // -12 + 24 * w / 16383 semitones
    };

    struct Row {
        uint8_t controller;
        const char* symbol;
        Scale scale;
    };

    static constexpr uint8_t kFineOffset = 32;
    static constexpr Row kRows[] = {
        {20, "dayan_pattern", Scale::Pattern},
        {21, "dayan_length", Scale::Length},
        {22, "dayan_tempo", Scale::Tempo},
        {23, "dayan_tune", Scale::Tune},
        {24, "baya_pattern", Scale::Pattern},
        {25, "baya_length", Scale::Length},
        {26, "baya_tempo", Scale::Tempo},
        {27, "baya_tune", Scale::Tune},
    };
    static constexpr uint32_t kRowCount = sizeof(kRows) / sizeof(kRows[0]);
    static constexpr uint32_t kNoParameter = UINT32_MAX;

    uint32_t fIndex[kRowCount];
    // The last coarse and fine values of the 14-bit rows; a coarse value clears the fine one.
    uint8_t fCoarse[kRowCount] = {};
    uint8_t fFine[kRowCount] = {};

    static bool isWide(Scale scale) noexcept
    {
        return scale == Scale::Pattern || scale == Scale::Tune;
    }
    static float scaled(Scale scale, uint32_t value) noexcept;
};

} // namespace Orvane
