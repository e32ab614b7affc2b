// The groove panel: the whole editor, a window titled "Vantorel" with a Dayan and a Baya column
// of three knobs each (Length, Pattern, Tempo). It mirrors the six parameters and sends edits to
// the host through the editor core. GUI thread only.
#pragma once

#include <cstdint>

#include "skein/ResizeHandle.h"
#include "ui/UI.h"

struct ImFont;

namespace Orvane {

class ImGuiPluginUI : public UI {
public:
    ImGuiPluginUI();
    ~ImGuiPluginUI() override;

    // Index 0..5 (the parameter table's order); the value is truncated toward zero.
    void onParameterUpdate(uint32_t index, float value) override;

    // Where the last frame drew a parameter's dial, in window pixels (radius 0 before it).
    struct DialPlace {
        float x = 0.0f, y = 0.0f, radius = 0.0f;
    };
    DialPlace dialPlace(uint32_t index) const noexcept;

protected:
    void drawFrame() override;

private:
    struct KnobRow;
    void drawColumn(const char* name, uint32_t firstIndex, bool dayan, float knobSize);
    void drawKnob(const KnobRow& row, uint32_t index, float knobSize);

    static constexpr uint32_t kParameterCount = 6;
    // Baya Length, Pattern, Tempo; Dayan Length, Pattern, Tempo; default Tempo; Tempo choices.
    int fParameters[8] = {4, 1, 2, 4, 1, 2, 2, 5};
    Skein::ResizeHandle fResizeHandle;
    ImFont* fTitleFont = nullptr;
    bool fWasActive[kParameterCount] = {};
    bool fGestureOpen[kParameterCount] = {};
    DialPlace fDials[kParameterCount];
};

} // namespace Orvane
