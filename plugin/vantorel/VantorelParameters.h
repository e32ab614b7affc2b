// The six host parameters of the groove as data (texts, ranges, the patch receiver each one
// feeds) and how they fill the framework's parameter records. The table is constant and may be
// read from any thread; describeVantorelParameter runs on the main thread (it allocates).
#pragma once

#include "ParameterInfo.h"

#include <cstdint>

namespace Orvane {

struct VantorelParameter {
    const char* name;
    const char* symbol;
    float minimum;
    float maximum;
    float defaultValue;
    // Tempo parameters read as the tempo ratio enumeration.
    bool isTempo;
    // The patch receiver the value is posted to.
    uint32_t receiverHash;
};

// The index order is that of saved state, CLAP parameter ids and the editor's knobs.
constexpr uint32_t kVantorelParameterCount = 6;
constexpr VantorelParameter kVantorelParameters[kVantorelParameterCount] = {
    {"Baya Length", "baya_length", 4.0f, 16.0f, 4.0f, false, 0x5B3BAAC5},
    {"Baya Pattern", "baya_pattern", 1.0f, 1337.0f, 1.0f, false, 0x8CC44224},
    {"Baya Tempo", "baya_tempo", 0.0f, 4.0f, 2.0f, true, 0xFEA78B82},
    {"Dayan Length", "dayan_length", 4.0f, 16.0f, 4.0f, false, 0x2CD8D7C5},
    {"Dayan Pattern", "dayan_pattern", 1.0f, 1337.0f, 1.0f, false, 0xA296D5DA},
    {"Dayan Tempo", "dayan_tempo", 0.0f, 4.0f, 2.0f, true, 0x7C622646},
};

// Step rates relative to one step per quarter note, for the values 0 to 4 (UTF-8 multiplication
// and division signs).
constexpr uint8_t kTempoRatioCount = 5;
constexpr const char* kTempoRatioLabels[kTempoRatioCount] = {
    "\xC3\x97"
    "2",
    "\xC3\x97"
    "1.5",
    "\xC3\x97"
    "1",
    "\xC3\xB7"
    "1.5",
    "\xC3\xB7"
    "2",
};

// Fills the record of parameter `index`; an index of kVantorelParameterCount or more leaves it
// untouched.
void describeVantorelParameter(uint32_t index, ParameterInfo& parameter);

} // namespace Orvane
