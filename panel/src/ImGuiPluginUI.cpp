// The groove panel's drawing: fonts, layout, the knob calls, each one's report handed to the
// panel's model, the value texts, strips and code line, and the keys and wheel that edit.
// Editor thread.
#include "ImGuiPluginUI.h"

#include <imgui.h>
#include <imgui_internal.h>

#include <algorithm>
#include <cmath>

#include "Knob.h"
#include "PanelColours.h"
#include "PanelFont.h"
#include "ValueText.h"
#include "ui/EditorFactory.h"

namespace Orvane {

namespace {

constexpr uint32_t kPanelKnobFlags =
    KnobTooltipValue | KnobReportDoubleClick | KnobTooltipOnlyReleased;
// A dial ticks every value of a range up to this size; wider ones get decorative ticks.
constexpr int kMaximumValueTicks = 24, kDecorativeTicks = 23;

// One knob row of both columns: label and drag speeds (value units per pixel).
struct KnobRow {
    const char* label;
    float speed, fineSpeed;
};
constexpr KnobRow kRows[] = {
    {"Length", 0.2f, 0.05f}, {"Pattern", 10.0f, 0.5f}, {"Tempo", 0.05f, 0.01f}};
constexpr uint32_t kRowCount = sizeof(kRows) / sizeof(kRows[0]);

int tickCount(const VantorelParameter& parameter) noexcept
{
    const int values = static_cast<int>(parameter.maximum - parameter.minimum) + 1;
    return values <= kMaximumValueTicks ? values : kDecorativeTicks;
}

} // namespace

// A drum's column: its title, knob colours and the parameter of each row.
struct ImGuiPluginUI::Column {
    const char* name;
    bool dayan;
    uint32_t indices[kRowCount];
};

ImGuiPluginUI::ImGuiPluginUI()
    : UI(kEditorWidth, kEditorHeight, true), fModel(*this), fResizeHandle(this, 16)
{
    window().setSizeLimits(kEditorWidth, kEditorHeight, true, false, true);

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
    fSmallFont = io.Fonts->AddFontFromMemoryCompressedTTF(
        font.data, static_cast<int>(font.size), 13.0f * scale, &config);
    io.Fonts->Build();
    io.FontDefault = knobFont;

    fResizeHandle.makeHidden();
}

ImGuiPluginUI::~ImGuiPluginUI()
{
    fModel.endOpenGestures();
}

void ImGuiPluginUI::onParameterUpdate(uint32_t index, float value)
{
    if (fModel.hostValue(index, value))
        requestRedraw();
}

void ImGuiPluginUI::onMonitorUpdate(uint32_t index, int32_t value)
{
    if (index < kDrumCount && fLitCells[index] != value) {
        fLitCells[index] = value;
        requestRedraw();
    }
}

ImGuiPluginUI::DialPlace ImGuiPluginUI::dialPlace(uint32_t index) const noexcept
{
    return index < PanelModel::kCount ? fDials[index] : DialPlace{};
}

CellPlace ImGuiPluginUI::cellPlace(int drum, int cell) const noexcept
{
    return drum >= 0 && drum < kDrumCount && cell >= 0 && cell < kMaxCycleLength
        ? fCells[drum][cell]
        : CellPlace{};
}

void ImGuiPluginUI::gesture(uint32_t index, bool started)
{
    markEditGesture(index, started);
}

void ImGuiPluginUI::value(uint32_t index, float value)
{
    pushParameterValue(index, value);
}

void ImGuiPluginUI::drawFrame()
{
    static constexpr Column kDayan = {"Dayan", true, {3, 4, 5}};
    static constexpr Column kBaya = {"Baya", false, {0, 1, 2}};
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
    if (ImGui::Begin("Vantorel", nullptr,
            ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoCollapse |
                ImGuiWindowFlags_NoScrollWithMouse | ImGuiWindowFlags_NoScrollbar)) {
        const float knobSize = static_cast<float>(100.0 * window().scaleFactor());
        ImGui::PushFont(defaultFont);
        drawColumn(kDayan, knobSize);
        ImGui::SameLine();
        ImGui::Dummy(ImVec2(0.0f, knobSize));
        ImGui::SameLine();
        drawColumn(kBaya, knobSize);
        ImGui::PopFont();
        ImGui::PushFont(fSmallFont);
        const float width = ImGui::GetContentRegionAvail().x;
        drawStrips(width);
        fGrooveLine.draw(formatGrooveCode(fModel.groove()), width);
        ImGui::PopFont();
        pasteGroove();
    }
    ImGui::End();
    ImGui::PopFont();
}

void ImGuiPluginUI::drawColumn(const Column& column, float knobSize)
{
    const double s = window().scaleFactor();
    const float columnWidth = static_cast<float>(85.0 * s);
    ImGui::PushID(column.name);
    ImGui::BeginGroup();
    const float x = std::max(0.0f, (columnWidth - ImGui::CalcTextSize(column.name).x) * 0.5f);
    ImGui::Dummy(ImVec2(x, 0.0f));
    ImGui::SameLine();
    ImGui::TextUnformatted(column.name);
    ImGui::SameLine();
    ImGui::Dummy(ImVec2(x, 0.0f));
    ImGui::Dummy(ImVec2(0.0f, static_cast<float>(8.0 * s)));

    const KnobColours& knob = column.dayan ? panelColours().dayan : panelColours().baya;
    ImGui::PushStyleColor(ImGuiCol_ButtonActive, knob.idle);
    ImGui::PushStyleColor(ImGuiCol_ButtonHovered, knob.hovered);
    for (uint32_t row = 0; row < kRowCount; ++row)
        drawKnob(row, column.indices[row], knobSize);
    ImGui::PopStyleColor(2);
    ImGui::EndGroup();
    ImGui::PopID();
}

void ImGuiPluginUI::drawKnob(uint32_t row, uint32_t index, float knobSize)
{
    const VantorelParameter& parameter = kVantorelParameters[index];
    // Shift asks for fine steps; Dear ImGui's drag multiplies by 10 while Shift is held, so the
    // fine speeds are given a tenth of their size here.
    const float speed = ImGui::GetIO().KeyShift ? kRows[row].fineSpeed * 0.1f : kRows[row].speed;
    int value = fModel.value(index);
    // A Tempo from the host outside the labels shows as its number.
    const char* const format = parameter.isTempo && value >= 0 && value < kTempoRatioCount
        ? kTempoRatioLabels[value]
        : "%i";
    // Ctrl+click on the dial opens the text field instead of grabbing the knob, which takes no
    // input while the field is open.
    const ImGuiIO& io = ImGui::GetIO();
    const DialPlace& dial = fDials[index];
    if (io.KeyCtrl && ImGui::IsMouseClicked(ImGuiMouseButton_Left) && dial.radius > 0.0f &&
        std::hypot(io.MousePos.x - dial.x, io.MousePos.y - dial.y) <= dial.radius) {
        char text[32];
        knobValueText(index, static_cast<float>(value), text, sizeof(text));
        fEntry.open(index, text);
    }
    const bool entering = fEntry.index() == index;
    if (entering)
        ImGui::PushItemFlag(ImGuiItemFlags_Disabled, true);
    KnobFrame frame;
    const bool changed = knobInteger(kRows[row].label, &value, static_cast<int>(parameter.minimum),
        static_cast<int>(parameter.maximum), speed, format, KnobStyleStepped, knobSize,
        kPanelKnobFlags, tickCount(parameter), &frame);
    if (entering)
        ImGui::PopItemFlag();
    fDials[index] = {frame.centre.x, frame.centre.y, frame.radius};
    fModel.knobFrame(
        index, {frame.active, changed, ImGui::IsMouseDoubleClicked(ImGuiMouseButton_Left), value});
    drawValue(index, knobSize, frame.hovered && !frame.active && !entering);
}

// The value under the dial, or the open text field; a wheel turn over the knob steps it.
void ImGuiPluginUI::drawValue(uint32_t index, float knobSize, bool hovered)
{
    ImGuiIO& io = ImGui::GetIO();
    if (hovered && io.MouseWheel != 0.0f) {
        const float steps = std::round(io.MouseWheel);
        io.MouseWheel = 0.0f;
        fModel.editAsGesture(index, static_cast<float>(fModel.value(index)) + steps);
    }
    const char* typed = nullptr;
    if (fEntry.index() == index) {
        float value = 0.0f;
        if (fEntry.draw(knobSize, typed) && readKnobValue(index, typed, value))
            fModel.editAsGesture(index, value);
        return;
    }
    char text[32];
    knobValueText(index, static_cast<float>(fModel.value(index)), text, sizeof(text));
    const float x = (knobSize - ImGui::CalcTextSize(text).x) * 0.5f;
    ImGui::SetCursorPosX(ImGui::GetCursorPosX() + std::max(0.0f, x));
    ImGui::TextUnformatted(text);
}

void ImGuiPluginUI::drawStrips(float width)
{
    static constexpr uint32_t kPattern[kDrumCount] = {4, 1}, kLength[kDrumCount] = {3, 0};
    const float cellHeight = ImGui::GetTextLineHeight() + 4.0f * imguiScaleFactor();
    ImGui::Dummy(ImVec2(0.0f, 2.0f * imguiScaleFactor()));
    for (int drum = 0; drum < kDrumCount; ++drum) {
        const DrumCycle cycle =
            drumCycle(drum, fModel.value(kPattern[drum]), fModel.value(kLength[drum]));
        for (CellPlace& place : fCells[drum])
            place = {};
        drawStepStrip(cycle, fLitCells[drum],
            drum == kDayan ? panelColours().dayan : panelColours().baya, width, cellHeight,
            fCells[drum]);
    }
}

// Ctrl+V over the panel (not in a text field) applies a pasted groove code.
void ImGuiPluginUI::pasteGroove()
{
    const ImGuiIO& io = ImGui::GetIO();
    if (!io.KeyCtrl || io.WantTextInput || !ImGui::IsKeyPressed(ImGuiKey_V, false))
        return;
    const char* const text = ImGui::GetClipboardText();
    Groove groove;
    std::string error;
    if (parseGrooveCode(text != nullptr ? text : "", groove, error)) {
        fGrooveLine.clearRefusal();
        fModel.applyGroove(groove);
    } else {
        fGrooveLine.showRefusal(error);
    }
}

} // namespace Orvane
