// The groove panel: the whole editor, a window titled "Vantorel" with a Dayan and a Baya column
// of three knobs each (Length, Pattern, Tempo), drawn from the parameter table. Its values and
// edits are the PanelModel's; this class draws them. [main-thread] (the editor's thread) only.
#pragma once

#include <cstdint>

#include "PanelModel.h"
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

    // Where the last frame drew a parameter's dial, in window pixels (radius 0 before it).
    struct DialPlace {
        float x = 0.0f, y = 0.0f, radius = 0.0f;
    };
    DialPlace dialPlace(uint32_t index) const noexcept;

protected:
    void drawFrame() override;

private:
    struct Column;
    void drawColumn(const Column& column, float knobSize);
    void drawKnob(uint32_t row, uint32_t index, float knobSize);

    void gesture(uint32_t index, bool started) override;
    void value(uint32_t index, float value) override;

    PanelModel fModel;
    Skein::ResizeHandle fResizeHandle;
    ImFont* fTitleFont = nullptr;
    DialPlace fDials[PanelModel::kCount];
};

} // namespace Orvane
