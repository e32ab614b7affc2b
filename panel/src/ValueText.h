// The text of a knob's value and the value of a typed text, as the parameter reads them: the
// Tempo labels ("×1.5"), whole numbers, or the parameter's own texts (the Tunes' notes).
// [any-thread]
#pragma once

#include <cstddef>
#include <cstdint>

namespace Orvane {

// Writes the text of `value` for parameter `index` (NUL-terminated, `size` > 0).
void knobValueText(uint32_t index, float value, char* text, size_t size) noexcept;

// Reads a typed text for parameter `index`, held to its range; false (and `value` untouched)
// when the text names no value.
bool readKnobValue(uint32_t index, const char* text, float& value) noexcept;

} // namespace Orvane
