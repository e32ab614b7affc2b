// The groove panel: the whole editor, a window titled "Vantorel" with a Dayan and a Baya column
// of knobs (Length, Pattern, Tempo) drawn from the parameter table, each with its value under it,
// then a step strip per drum and the groove code line. Its values and edits are the PanelModel's;
// this class draws them and turns the wheel, Ctrl+click entry and Ctrl+V into edits.
// [main-thread] (the editor's thread) only.
#pragma once

#include <cstdint>

#include "GrooveLine.h"
#include "KnobEntry.h"
#include "PanelModel.h"
#include "StepStrip.h"
#include "skein/ResizeHandle.h"
#include "ui/UI.h"

struct ImFont;

namespace Orvane {

class ImGuiPluginUI : public UI, private EditTarget {
public:
    // [main-thread]
    ImGuiPluginUI();
    ~ImGuiPluginUI() override;

    // [main-thread] A value from the host: a parameter index of the table, truncated toward zero.
    void onParameterUpdate(uint32_t index, float value) override;
    // [main-thread] The plug-in's monitor values 0 and 1: the Dayan's and the Baya's latest step
    // cell (-1 for none). The panel redraws only when a lit cell moves.
    void onMonitorUpdate(uint32_t index, int32_t value) override;

    // Where the last frame drew a parameter's dial, in window pixels (radius 0 before it).
    struct DialPlace {
        float x = 0.0f, y = 0.0f, radius = 0.0f;
    };
    DialPlace dialPlace(uint32_t index) const noexcept;
    // Where the last frame drew cell `cell` of a drum's strip (0 Dayan, 1 Baya); empty before.
    CellPlace cellPlace(int drum, int cell) const noexcept;
    // Where the last frame drew the groove code line.
    CellPlace grooveLinePlace() const noexcept { return {fGrooveLine.min(), fGrooveLine.max()}; }

protected:
    void drawFrame() override;

private:
    struct Column;
    void drawColumn(const Column& column, float knobSize);
    void drawKnob(uint32_t row, uint32_t index, float knobSize);
    void drawValue(uint32_t index, float knobSize, bool hovered);
    void drawStrips(float width);
    void pasteGroove();

    void gesture(uint32_t index, bool started) override;
    void value(uint32_t index, float value) override;

    PanelModel fModel;
    Skein::ResizeHandle fResizeHandle;
    ImFont* fTitleFont = nullptr;
    ImFont* fSmallFont = nullptr;
    DialPlace fDials[PanelModel::kCount];
    KnobEntry fEntry;
    int fLitCells[kDrumCount] = {-1, -1};
    CellPlace fCells[kDrumCount][kMaxCycleLength];
    GrooveLine fGrooveLine;
};

} // namespace Orvane
