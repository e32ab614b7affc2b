// The text field a Ctrl+click opens on a knob: it starts with the knob's value text, Enter hands
// the typed text over, Escape or a click elsewhere closes it without a value. One field at a
// time. [main-thread] (the editor's thread), inside a Dear ImGui frame.
#pragma once

#include <cstdint>

namespace Orvane {

class KnobEntry {
public:
    static constexpr uint32_t kNone = UINT32_MAX;

    // Opens the field for knob `index` with `text` in it (a field open elsewhere closes).
    void open(uint32_t index, const char* text) noexcept;
    // The knob whose field is open, or kNone.
    uint32_t index() const noexcept { return fIndex; }

    // Draws the open field `width` wide at the cursor. True once, on Enter, with the typed text
    // in `typed`; the field is closed then, as it is on Escape or a click elsewhere.
    bool draw(float width, const char*& typed) noexcept;

private:
    uint32_t fIndex = kNone;
    char fText[64] = {};
    bool fFocusPending = false;
    bool fWasActive = false;
};

} // namespace Orvane
