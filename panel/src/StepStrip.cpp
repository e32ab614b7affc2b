// Drawing a drum's step strip. Editor thread, inside a Dear ImGui frame.
#include "StepStrip.h"

namespace Orvane {

namespace {

// The rest mark, a middle dot.
constexpr const char* kRestMark = "\xC2\xB7";

ImU32 scaled(ImVec4 colour, float factor) noexcept
{
    return ImGui::ColorConvertFloat4ToU32(
        ImVec4(colour.x * factor, colour.y * factor, colour.z * factor, colour.w));
}

} // namespace

void drawStepStrip(const DrumCycle& cycle, int litCell, const KnobColours& colours, float width,
    float cellHeight, CellPlace* places)
{
    ImDrawList* const list = ImGui::GetWindowDrawList();
    const ImVec2 origin = ImGui::GetCursorScreenPos();
    const float gap = cellHeight * 0.12f;
    const float cellWidth = (width - gap * (kStripColumns - 1)) / kStripColumns;
    const ImU32 lit = ImGui::ColorConvertFloat4ToU32(colours.hovered);
    const ImU32 unlit = scaled(colours.idle, 0.3f);
    const ImU32 litText = IM_COL32(0x1A, 0x09, 0x11, 0xFF);
    const ImU32 text = IM_COL32(0xE0, 0xE0, 0xE0, 0xFF);
    for (int i = 0; i < cycle.length; ++i) {
        const ImVec2 min(origin.x + (i % kStripColumns) * (cellWidth + gap),
            origin.y + (i / kStripColumns) * (cellHeight + gap));
        const ImVec2 max(min.x + cellWidth, min.y + cellHeight);
        places[i] = {min, max};
        list->AddRectFilled(min, max, i == litCell ? lit : unlit, gap);
        const int voice = cycle.voices[i];
        const char* const bol = voice == kRest ? kRestMark : voiceBol(voice);
        const ImVec2 size = ImGui::CalcTextSize(bol);
        list->AddText(
            ImVec2(min.x + (cellWidth - size.x) * 0.5f, min.y + (cellHeight - size.y) * 0.5f),
            i == litCell ? litText : text, bol);
    }
    // Two rows are kept whatever the Length, so that the panel does not jump.
    ImGui::Dummy(ImVec2(width, 2.0f * cellHeight + gap));
}

} // namespace Orvane
