// The knob's behaviour (drag, tooltip, double-click report) and its stepped dial. GUI thread,
// inside a Dear ImGui frame.
// The dial geometry adds and scales ImVec2 points.
#define IMGUI_DEFINE_MATH_OPERATORS
#include "Knob.h"

#include <imgui_internal.h>

#include <cmath>

namespace Orvane {

namespace {

constexpr float kAngleMinimum = 2.3561945f; // 0.75 pi: lower left
constexpr float kAngleMaximum = 7.0685835f; // 2.25 pi: lower right, clockwise through the top
constexpr float kAngleSweep = 4.712389f;

float dialPosition(int value, int minimum, int maximum) noexcept
{
    if (maximum == minimum)
        return 0.0f;
    return static_cast<float>(
        (static_cast<double>(value) - minimum) / (static_cast<double>(maximum) - minimum));
}

struct ColourSet {
    ImU32 idle, hovered, active;
    ImU32 pick(const KnobFrame& frame) const noexcept
    {
        return frame.active ? active : frame.hovered ? hovered : idle;
    }
};

ImVec4 halved(ImVec4 colour) noexcept
{
    return {colour.x * 0.5f, colour.y * 0.5f, colour.z * 0.5f, colour.w};
}

ColourSet primaryColours() noexcept
{
    const ImGuiStyle& style = ImGui::GetStyle();
    const ImU32 hovered = ImGui::ColorConvertFloat4ToU32(style.Colors[ImGuiCol_ButtonHovered]);
    return {ImGui::ColorConvertFloat4ToU32(style.Colors[ImGuiCol_ButtonActive]), hovered, hovered};
}

ColourSet secondaryColours() noexcept
{
    const ImGuiStyle& style = ImGui::GetStyle();
    const ImU32 hovered =
        ImGui::ColorConvertFloat4ToU32(halved(style.Colors[ImGuiCol_ButtonHovered]));
    return {ImGui::ColorConvertFloat4ToU32(halved(style.Colors[ImGuiCol_ButtonActive])), hovered,
        hovered};
}

bool isDrawn(ImU32 colour) noexcept
{
    return (colour & IM_COL32_A_MASK) != 0;
}

void drawSteppedDial(const KnobFrame& frame, int steps)
{
    ImDrawList* list = ImGui::GetWindowDrawList();
    const ColourSet primary = primaryColours(), secondary = secondaryColours();
    const float r = frame.radius;
    const ImU32 tickColour = primary.pick(frame);
    // Below two ticks there is no spacing to divide the sweep by.
    if (steps >= 2 && isDrawn(tickColour))
        for (int n = 0; n < steps; ++n) {
            const float a = frame.angleMinimum +
                (frame.angleMaximum - frame.angleMinimum) * n / static_cast<float>(steps - 1);
            const ImVec2 direction(std::cos(a), std::sin(a));
            list->AddLine(frame.centre + direction * (0.9f * r),
                frame.centre + direction * (0.7f * r), tickColour, 0.04f * r);
        }
    if (isDrawn(secondary.pick(frame)))
        list->AddCircleFilled(frame.centre, 0.6f * r, secondary.pick(frame));
    if (isDrawn(primary.pick(frame))) {
        list->AddCircleFilled(frame.centre, 0.4f * r, primary.pick(frame));
        const ImVec2 direction(frame.angleCos, frame.angleSin);
        list->AddLine(frame.centre + direction * (0.65f * r),
            frame.centre + direction * (0.35f * r), primary.pick(frame), 0.12f * r);
    }
}

void drawTitle(const char* label, float width)
{
    const float textWidth = std::ceil(ImGui::CalcTextSize(label, nullptr, false, width).x);
    ImGui::SetCursorPosX(ImGui::GetCursorPosX() + (width - textWidth) * 0.5f);
    ImGui::PushStyleColor(ImGuiCol_Text, ImVec4(0.85f, 0.85f, 0.85f, 0.85f));
    ImGui::Text("%s", label);
    ImGui::PopStyleColor();
}

} // namespace

KnobFrame knobBody(const char* label, int* value, int minimum, int maximum, float speed, float size,
    const char* format, uint32_t flags)
{
    if (speed == 0.0f)
        speed = static_cast<float>((static_cast<double>(maximum) - minimum) * 0.004);
    ImGui::PushID(label);
    const float width =
        size != 0.0f ? size * ImGui::GetIO().FontGlobalScale : 4.0f * ImGui::GetFontSize();
    ImGui::PushItemWidth(width);
    ImGui::BeginGroup();
    // A knob on the same line as text must not inherit that line's baseline.
    ImGui::GetCurrentWindow()->DC.CurrLineTextBaseOffset = 0.0f;
    drawTitle(label, width);

    KnobFrame frame;
    frame.radius = width * 0.5f;
    frame.t = dialPosition(*value, minimum, maximum);
    const ImVec2 topLeft = ImGui::GetCursorScreenPos();
    ImGui::InvisibleButton(label, ImVec2(2.0f * frame.radius, 2.0f * frame.radius));
    frame.changed = ImGui::DragBehavior(ImGui::GetID(label), ImGuiDataType_S32, value, speed,
        &minimum, &maximum, format, ImGuiSliderFlags_Vertical);

    frame.centre = ImVec2(topLeft.x + frame.radius, topLeft.y + frame.radius);
    frame.active = ImGui::IsItemActive();
    frame.hovered = ImGui::IsItemHovered();
    frame.angleMinimum = kAngleMinimum;
    frame.angleMaximum = kAngleMaximum;
    frame.angle = frame.t * kAngleSweep + kAngleMinimum;
    frame.angleCos = std::cos(frame.angle);
    frame.angleSin = std::sin(frame.angle);

    const bool showTooltip = (flags & KnobTooltipValue) != 0 &&
        (ImGui::IsItemHovered(ImGuiHoveredFlags_AllowWhenDisabled) || ImGui::IsItemActive()) &&
        ((flags & KnobTooltipOnlyReleased) == 0 || !ImGui::IsMouseDown(ImGuiMouseButton_Left));
    if (showTooltip) {
        ImGui::BeginTooltip();
        ImGui::SetWindowFontScale(0.85f);
        ImGui::Text(format, *value);
        ImGui::EndTooltip();
    }
    if ((flags & KnobReportDoubleClick) != 0 &&
        ImGui::GetMouseClickedCount(ImGuiMouseButton_Left) == 2)
        frame.changed = true;

    ImGui::EndGroup();
    ImGui::PopItemWidth();
    ImGui::PopID();
    return frame;
}

bool knobInteger(const char* label, int* value, int minimum, int maximum, float speed,
    const char* format, uint32_t variant, float size, uint32_t flags, int steps,
    KnobFrame* frameOut)
{
    if (format == nullptr)
        format = "%i";
    const KnobFrame frame = knobBody(label, value, minimum, maximum, speed, size, format, flags);
    if (variant == KnobStyleStepped)
        drawSteppedDial(frame, steps);
    if (frameOut != nullptr)
        *frameOut = frame;
    return frame.changed;
}

} // namespace Orvane
