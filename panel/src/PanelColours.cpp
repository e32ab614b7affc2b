// The panel's colours, chosen in HSV and converted once with Dear ImGui's conversion; the knob
// colours blend a green and a red of the same brightness. GUI thread.
#include "PanelColours.h"

namespace Orvane {

namespace {

ImVec4 fromHsv(float hueDegrees, float saturation, float value) noexcept
{
    ImVec4 colour(0.0f, 0.0f, 0.0f, 1.0f);
    ImGui::ColorConvertHSVtoRGB(
        hueDegrees / 360.0f, saturation, value, colour.x, colour.y, colour.z);
    return colour;
}

// weightA x (a + lift) + weightB x b per channel; alpha is weightA + weightB = 1.
ImVec4 blend(float weightA, ImVec4 a, float lift, float weightB, ImVec4 b) noexcept
{
    return {weightA * (a.x + lift) + weightB * b.x, weightA * (a.y + lift) + weightB * b.y,
        weightA * (a.z + lift) + weightB * b.z, weightA * 1.0f + weightB * 1.0f};
}

PanelColours makeColours() noexcept
{
    const ImVec4 greenDark = fromHsv(160.0f, 0.77f, 0.44f);
    const ImVec4 greenMid = fromHsv(160.0f, 0.77f, 0.64f);
    const ImVec4 greenLight = fromHsv(160.0f, 0.77f, 0.74f);
    const ImVec4 redDark = fromHsv(3.0f, 0.76f, 0.54f);
    const ImVec4 redMid = fromHsv(3.0f, 0.76f, 0.74f);
    const ImVec4 redLight = fromHsv(3.0f, 0.76f, 0.84f);
    // The single-precision value just below 0.4 (bits 0x3ECCCCCC).
    const float dayanLift = 0.39999998f;
    PanelColours colours;
    colours.titleBarActive = fromHsv(331.0f, 0.64f, 0.40f);
    colours.windowBackground = fromHsv(331.0f, 0.64f, 0.10f);
    colours.dayan = {blend(0.35f, greenDark, dayanLift, 0.65f, redDark),
        blend(0.35f, greenMid, dayanLift, 0.65f, redMid)};
    colours.baya = {blend(0.25f, greenMid, 0.25f, 0.75f, redMid),
        blend(0.25f, greenLight, 0.25f, 0.75f, redLight)};
    return colours;
}

} // namespace

const PanelColours& panelColours() noexcept
{
    static const PanelColours colours = makeColours();
    return colours;
}

} // namespace Orvane
