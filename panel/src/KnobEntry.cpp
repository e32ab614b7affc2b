// The knob's text field. Editor thread.
#include "KnobEntry.h"

#include <imgui.h>

#include <cstdio>

namespace Orvane {

void KnobEntry::open(uint32_t index, const char* text) noexcept
{
    fIndex = index;
    std::snprintf(fText, sizeof(fText), "%s", text);
    fFocusPending = true;
    fWasActive = false;
}

bool KnobEntry::draw(float width, const char*& typed) noexcept
{
    if (fIndex == kNone)
        return false;
    if (fFocusPending) {
        ImGui::SetKeyboardFocusHere();
        fFocusPending = false;
    }
    ImGui::SetNextItemWidth(width);
    const bool entered = ImGui::InputText("##entry", fText, sizeof(fText),
        ImGuiInputTextFlags_EnterReturnsTrue | ImGuiInputTextFlags_AutoSelectAll);
    const bool active = ImGui::IsItemActive();
    // Escape and a click elsewhere take the focus away without Enter.
    const bool left = fWasActive && !active;
    fWasActive = active;
    if (entered) {
        typed = fText;
        fIndex = kNone;
        return true;
    }
    if (left)
        fIndex = kNone;
    return false;
}

} // namespace Orvane
