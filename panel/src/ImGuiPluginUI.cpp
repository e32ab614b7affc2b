// The groove panel: fonts, layout, knob calls and the edit gestures they open and close.
// GUI thread.
#include "ImGuiPluginUI.h"

#include <imgui.h>

#include <algorithm>
#include <cmath>

#include "Knob.h"
#include "PanelColours.h"
#include "PanelFont.h"
#include "VantorelParameters.h"

namespace Orvane {

namespace {

constexpr unsigned kWidth = 242, kHeight = 444;
constexpr uint32_t kPanelKnobFlags =
    KnobInputHidden | KnobTooltipValue | KnobReportDoubleClick | KnobTooltipOnlyReleased;
constexpr int kDefaultTempoSlot = 6, kTempoCountSlot = 7;
static_assert(kVantorelParameterCount == 6);

int asInt(float tableValue) noexcept
{
    return static_cast<int>(tableValue);
}

} // namespace

struct ImGuiPluginUI::KnobRow {
    const char* label;
    float speed;
    const char* format;
    int steps;
};

ImGuiPluginUI::ImGuiPluginUI() : UI(kWidth, kHeight, true), fResizeHandle(this, 16)
{
    window().setSizeLimits(kWidth, kHeight, true, false, true);

    makeImGuiContextCurrent();
    ImGuiIO& io = ImGui::GetIO();
    ImFontConfig config;
    config.OversampleH = config.OversampleV = 1;
    config.PixelSnapH = true;
    const EmbeddedFile font = veraMonoBoldCompressedFont();
    const float scale = static_cast<float>(window().scaleFactor());
    ImFont* const knobFont = io.Fonts->AddFontFromMemoryCompressedTTF(
        font.data, static_cast<int>(font.size), 16.0f * scale, &config);
    fTitleFont = io.Fonts->AddFontFromMemoryCompressedTTF(
        font.data, static_cast<int>(font.size), 21.0f * scale, &config);
    io.Fonts->Build();
    io.FontDefault = knobFont;

    fResizeHandle.makeHidden();
}

ImGuiPluginUI::~ImGuiPluginUI()
{
    // A host must never see an edit begin without its end.
    for (uint32_t i = 0; i < kParameterCount; ++i)
        if (fGestureOpen[i])
            markEditGesture(i, false);
}

void ImGuiPluginUI::onParameterUpdate(uint32_t index, float value)
{
    if (index >= kParameterCount || std::isnan(value))
        return;
    // Truncation toward zero, kept inside int so that a wild host value converts safely.
    const double truncated = std::trunc(static_cast<double>(value));
    fParameters[index] = static_cast<int>(std::clamp(truncated, -2147483648.0, 2147483647.0));
    requestRedraw();
}

ImGuiPluginUI::DialPlace ImGuiPluginUI::dialPlace(uint32_t index) const noexcept
{
    return index < kParameterCount ? fDials[index] : DialPlace{};
}

void ImGuiPluginUI::drawFrame()
{
    const PanelColours& colours = panelColours();
    ImGui::SetNextWindowPos(ImVec2(0.0f, 0.0f), ImGuiCond_Always, ImVec2(0.0f, 0.0f));
    ImGui::SetNextWindowSize(
        ImVec2(static_cast<float>(pixelWidth()), static_cast<float>(pixelHeight())),
        ImGuiCond_Always);
    ImGuiStyle& style = ImGui::GetStyle();
    style.WindowTitleAlign = ImVec2(0.5f, 0.5f);
    style.Colors[ImGuiCol_WindowBg] = colours.windowBackground;
    style.Colors[ImGuiCol_TitleBgActive] = colours.titleBarActive;

    ImFont* const defaultFont = ImGui::GetFont();
    ImGui::PushFont(fTitleFont);
    if (ImGui::Begin(
            "Vantorel", nullptr, ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoCollapse)) {
        const double s = window().scaleFactor();
        const float knobSize = static_cast<float>(100.0 * s);
        ImGui::PushFont(defaultFont);
        drawColumn("Dayan", 3, true, knobSize);
        ImGui::SameLine();
        ImGui::Dummy(ImVec2(0.0f, knobSize));
        ImGui::SameLine();
        drawColumn("Baya", 0, false, knobSize);
        ImGui::PopFont();
    }
    ImGui::End();
    ImGui::PopFont();
}

void ImGuiPluginUI::drawColumn(const char* name, uint32_t firstIndex, bool dayan, float knobSize)
{
    const double s = window().scaleFactor();
    const float columnWidth = static_cast<float>(85.0 * s);
    ImGui::PushID(name);
    ImGui::BeginGroup();
    const float x = std::max(0.0f, (columnWidth - ImGui::CalcTextSize(name).x) * 0.5f);
    ImGui::Dummy(ImVec2(x, 0.0f));
    ImGui::SameLine();
    ImGui::TextUnformatted(name);
    ImGui::SameLine();
    ImGui::Dummy(ImVec2(x, 0.0f));
    ImGui::Dummy(ImVec2(0.0f, static_cast<float>(8.0 * s)));

    const KnobColours& knob = dayan ? panelColours().dayan : panelColours().baya;
    ImGui::PushStyleColor(ImGuiCol_ButtonActive, knob.idle);
    ImGui::PushStyleColor(ImGuiCol_ButtonHovered, knob.hovered);
    // Shift asks for fine steps; Dear ImGui's drag multiplies by 10 while Shift is held, so the
    // fine speeds are given a tenth of their size here.
    const bool fine = ImGui::GetIO().KeyShift;
    const float f = fine ? 0.1f : 1.0f;
    const int tempo = fParameters[firstIndex + 2];
    const int tempoCount = fParameters[kTempoCountSlot];
    // A Tempo from the host outside the labels shows as its number.
    const char* const tempoFormat =
        tempo >= 0 && tempo < kTempoRatioCount ? kTempoRatioLabels[tempo] : "%i";
    const KnobRow rows[] = {
        {"Length", (fine ? 0.05f : 0.2f) * f, "%i", 13},
        {"Pattern", (fine ? 0.5f : 10.0f) * f, "%i", 23},
        {"Tempo", (fine ? 0.01f : 0.05f) * f, tempoFormat, tempoCount},
    };
    for (uint32_t row = 0; row < 3; ++row)
        drawKnob(rows[row], firstIndex + row, knobSize);
    ImGui::PopStyleColor(2);
    ImGui::EndGroup();
    ImGui::PopID();
}

void ImGuiPluginUI::drawKnob(const KnobRow& row, uint32_t index, float knobSize)
{
    const VantorelParameter& parameter = kVantorelParameters[index];
    const bool isTempo = parameter.isTempo;
    const int maximum = isTempo ? fParameters[kTempoCountSlot] - 1 : asInt(parameter.maximum);
    const int defaultValue =
        isTempo ? fParameters[kDefaultTempoSlot] : asInt(parameter.defaultValue);
    KnobFrame frame;
    const bool changed =
        knobInteger(row.label, &fParameters[index], asInt(parameter.minimum), maximum, row.speed,
            row.format, KnobStyleStepped, knobSize, kPanelKnobFlags, row.steps, &frame);
    fDials[index] = {frame.centre.x, frame.centre.y, frame.radius};

    // Each knob opens its own gesture in the frame it becomes active and closes that one on
    // release, whether or not the value moved.
    const bool activated = frame.active && !fWasActive[index];
    const bool released = !frame.active && fWasActive[index];
    fWasActive[index] = frame.active;
    if (activated) {
        markEditGesture(index, true);
        fGestureOpen[index] = true;
    }
    if (changed) {
        if (activated && ImGui::IsMouseDoubleClicked(ImGuiMouseButton_Left))
            fParameters[index] = defaultValue;
        pushParameterValue(index, static_cast<float>(fParameters[index]));
    }
    if (released && fGestureOpen[index]) {
        markEditGesture(index, false);
        fGestureOpen[index] = false;
    }
}

} // namespace Orvane
