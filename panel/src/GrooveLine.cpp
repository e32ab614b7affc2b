// The groove code line. Editor thread, inside a Dear ImGui frame.
#include "GrooveLine.h"

#include <cstring>

namespace Orvane {

namespace {
constexpr const char* kPrefix = "bad groove code: ";
} // namespace

void GrooveLine::draw(const std::string& code, float width)
{
    const std::string& shown = fRefusal.empty() ? code : fRefusal;
    const float height = ImGui::GetTextLineHeightWithSpacing();
    fMin = ImGui::GetCursorScreenPos();
    fMax = ImVec2(fMin.x + width, fMin.y + height);
    if (ImGui::InvisibleButton("groove code", ImVec2(width, height))) {
        ImGui::SetClipboardText(code.c_str());
        fRefusal.clear();
    }
    const ImVec2 size = ImGui::CalcTextSize(shown.c_str());
    const ImU32 colour = !fRefusal.empty() ? IM_COL32(0xF0, 0x40, 0x40, 0xFF)
        : ImGui::IsItemHovered()           ? IM_COL32(0xFF, 0xFF, 0xFF, 0xFF)
                                           : IM_COL32(0xC8, 0xC8, 0xC8, 0xFF);
    ImGui::GetWindowDrawList()->AddText(
        ImVec2(fMin.x + (width - size.x) * 0.5f, fMin.y + (height - size.y) * 0.5f), colour,
        shown.c_str());
}

void GrooveLine::showRefusal(const std::string& error)
{
    // The panel is narrow: the reason without the reader's prefix.
    fRefusal = error.rfind(kPrefix, 0) == 0 ? error.substr(std::strlen(kPrefix)) : error;
}

} // namespace Orvane
