// The eight host parameters of the groove as data (texts, ranges, the patch receiver each one
// feeds) and how they fill the framework's parameter records. The table is constant and may be
// read from any thread; describeVantorelParameter runs on the main thread (it allocates).
#pragma once

#include "ParameterInfo.h"
#include "TuneText.h"
#include "patch/PatchInterface.h"

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
    // Whole values only (every parameter but the Tunes, which take cents too).
    bool stepped;
    // Texts of its own (the Tunes); null for numbers and the tempo labels.
    const ValueTexts* texts;
    // The unit hosts may show beside the value ("st": semitones); empty for plain counts.
    const char* unit;
};

// The host's texts beside the patch's parameter `index`, whose range, default and receiver it
// takes.
constexpr VantorelParameter vantorelParameter(
    const char* name, const char* symbol, bool isTempo, int index)
{
    const PatchParameterInfo& patch = kPatchParameters[index];
    return {name, symbol, patch.minimum, patch.maximum, patch.defaultValue, isTempo, patch.hash,
        true, nullptr, ""};
}

inline constexpr ValueTexts kDayanTuneTexts = {&dayanTuneText, &parseDayanTuneText};
inline constexpr ValueTexts kBayaTuneTexts = {&bayaTuneText, &parseBayaTuneText};

// A Tune: semitones with cents, read through its own texts.
constexpr VantorelParameter tuneParameter(
    const char* name, const char* symbol, const ValueTexts* texts, int index)
{
    VantorelParameter parameter = vantorelParameter(name, symbol, false, index);
    parameter.stepped = false;
    parameter.texts = texts;
    parameter.unit = "st";
    return parameter;
}

// The index order, the patch's, is that of saved state, CLAP parameter ids and the editor's knobs.
constexpr uint32_t kVantorelParameterCount = kPatchParameterCount;
constexpr VantorelParameter kVantorelParameters[kVantorelParameterCount] = {
    vantorelParameter("Baya Length", "baya_length", false, 0),
    vantorelParameter("Baya Pattern", "baya_pattern", false, 1),
    vantorelParameter("Baya Tempo", "baya_tempo", true, 2),
    vantorelParameter("Dayan Length", "dayan_length", false, 3),
    vantorelParameter("Dayan Pattern", "dayan_pattern", false, 4),
    vantorelParameter("Dayan Tempo", "dayan_tempo", true, 5),
    tuneParameter("Dayan Tune", "dayan_tune", &kDayanTuneTexts, 6),
    tuneParameter("Baya Tune", "baya_tune", &kBayaTuneTexts, 7),
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
