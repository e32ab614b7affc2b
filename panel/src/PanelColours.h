// The groove panel's colours: the fixed window colours and each drum's knob colours, as Dear
// ImGui RGBA floats. Constant once made; GUI thread.
#pragma once

#include <imgui.h>

namespace Orvane {

struct KnobColours {
    ImVec4 idle; // style ButtonActive while the knob is drawn
    ImVec4 hovered; // style ButtonHovered
};

struct PanelColours {
    ImVec4 titleBarActive;
    ImVec4 windowBackground;
    KnobColours dayan;
    KnobColours baya;
};

const PanelColours& panelColours() noexcept;

} // namespace Orvane
