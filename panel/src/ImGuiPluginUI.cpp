// The groove panel's drawing: fonts, layout and the knob calls, each one's report handed to the
// panel's model. Editor thread.
#include "ImGuiPluginUI.h"

#include <imgui.h>

#include <algorithm>

#include "Knob.h"
#include "PanelColours.h"
#include "PanelFont.h"
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

ImGuiPluginUI::DialPlace ImGuiPluginUI::dialPlace(uint32_t index) const noexcept
{
    return index < PanelModel::kCount ? fDials[index] : DialPlace{};
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
    if (ImGui::Begin(
            "Vantorel", nullptr, ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoCollapse)) {
        const float knobSize = static_cast<float>(100.0 * window().scaleFactor());
        ImGui::PushFont(defaultFont);
        drawColumn(kDayan, knobSize);
        ImGui::SameLine();
        ImGui::Dummy(ImVec2(0.0f, knobSize));
        ImGui::SameLine();
        drawColumn(kBaya, knobSize);
        ImGui::PopFont();
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
    KnobFrame frame;
    const bool changed = knobInteger(kRows[row].label, &value, static_cast<int>(parameter.minimum),
        static_cast<int>(parameter.maximum), speed, format, KnobStyleStepped, knobSize,
        kPanelKnobFlags, tickCount(parameter), &frame);
    fDials[index] = {frame.centre.x, frame.centre.y, frame.radius};
    fModel.knobFrame(
        index, {frame.active, changed, ImGui::IsMouseDoubleClicked(ImGuiMouseButton_Left), value});
}

} // namespace Orvane
