// A drum's step strip: one cell per step of its cycle, naming the bol the step plays ("·" for a
// rest), two rows of up to eight, with the cell of the drum's latest step lit. Drawn into the
// current Dear ImGui window at the cursor. [main-thread] (the editor's thread), inside a frame.
#pragma once

#include <imgui.h>

#include "PanelColours.h"
#include "patch/DrumPattern.h"

namespace Orvane {

constexpr int kStripColumns = 8;

// Where a cell was drawn, in window pixels (empty before the strip was drawn).
struct CellPlace {
    ImVec2 min, max;
};

// Draws the strip `width` wide with cells `cellHeight` high; fills `places` (kMaxCycleLength) for
// the cells of the cycle. `litCell` outside the cycle lights none.
void drawStepStrip(const DrumCycle& cycle, int litCell, const KnobColours& colours, float width,
    float cellHeight, CellPlace* places);

} // namespace Orvane
