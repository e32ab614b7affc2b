// The groove panel on a real X server: what it draws, and what a real mouse on its knobs sends
// to the host (values, edit gestures in pairs, Shift for fine steps, double-click reset).
#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <imgui.h>

#include <cmath>

#include "EditorTestSupport.h"

using namespace UITest;
using SkeinTest::Picture;
using SkeinTest::TestClient;

namespace {

constexpr unsigned kDayanIdle = 0x866456, kBayaIdle = 0xA76050;
constexpr int kMinimum[6] = {4, 1, 0, 4, 1, 0};
constexpr int kMaximum[6] = {16, 1337, 4, 16, 1337, 4};

// The pixel halfway along the dial's pointer for a value: the pointer's colour when the dial
// shows that value, the darker ring's otherwise.
const int* pointerPixel(
    const Picture& picture, const Orvane::ImGuiPluginUI::DialPlace& dial, float t)
{
    const float angle = 2.3561945f + t * 4.712389f;
    const float r = 0.5f * dial.radius;
    return picture.at(static_cast<int>(std::lround(dial.x + std::cos(angle) * r)),
        static_cast<int>(std::lround(dial.y + std::sin(angle) * r)));
}

class Panel : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(client.display(), nullptr);
        client.focus(editor.handle());
        // Double-clicks are judged in the editor's own time; the shared machine may be slow.
        ImGui::GetIO().MouseDoubleClickTime = 5.0f;
    }

    Orvane::ImGuiPluginUI::DialPlace dial(uint32_t index)
    {
        return editor.panel().dialPlace(index);
    }

    void pointAt(uint32_t index, int dy = 0)
    {
        const auto d = dial(index);
        client.movePointerTo(editor.handle(), static_cast<int>(d.x), static_cast<int>(d.y) + dy);
    }

    // Waits until the host has seen `more` further calls.
    bool waitForCalls(size_t more)
    {
        const size_t target = editor.host.calls.size() + more;
        return SkeinTest::pumpUntil(
            editor.app(), [&] { return editor.host.calls.size() >= target; });
    }

    // Presses on a knob, moves the pointer by dy in steps (a frame each), releases.
    void drag(uint32_t index, int dy)
    {
        pointAt(index);
        SkeinTest::pumpUntil(
            editor.app(), [] { return false; }, 3);
        client.button(1, true);
        ASSERT_TRUE(waitForCalls(1)); // the gesture begins
        const int steps = 4;
        for (int i = 1; i <= steps; ++i) {
            pointAt(index, dy * i / steps);
            SkeinTest::pumpUntil(
                editor.app(), [] { return false; }, 3);
        }
        client.button(1, false);
        const size_t before = editor.host.count(HostCall::Gesture);
        SkeinTest::pumpUntil(
            editor.app(), [&] { return editor.host.count(HostCall::Gesture) > before; });
    }

    TestClient client;
    OpenEditor editor;
};

TEST_F(Panel, DrawsTitleColumnsAndDialsInTheDrumColours)
{
    client.movePointerTo(editor.handle(), 120, 5); // nothing hovered
    const Picture picture = editor.capture();
    ASSERT_EQ(picture.width, 242);
    ASSERT_EQ(picture.height, 612);
    EXPECT_TRUE(nearColour(picture.at(3, 300), 0x1A0911));
    EXPECT_TRUE(nearColour(picture.at(5, 5), 0x662544));
    // The title is drawn light on the bar, in its middle.
    int lit = 0;
    for (int x = 80; x < 160; ++x)
        for (int y = 2; y < 20; ++y)
            lit += picture.at(x, y)[0] > 0xC0;
    EXPECT_GT(lit, 40);

    for (uint32_t i = 0; i < 6; ++i) {
        const auto d = dial(i);
        EXPECT_NEAR(d.radius, 50.0f, 0.01f);
        // Dayan (3..5) on the left, Baya (0..2) on the right, Length over Pattern over Tempo.
        EXPECT_EQ(d.x < 121.0f, i >= 3) << i;
        if (i % 3 != 0) {
            EXPECT_GT(d.y, dial(i - 1).y + 100.0f) << i;
        }
        const int* centre = picture.at(static_cast<int>(d.x), static_cast<int>(d.y));
        EXPECT_TRUE(nearColour(centre, i >= 3 ? kDayanIdle : kBayaIdle, 3))
            << i << ": " << centre[0] << " " << centre[1] << " " << centre[2];
    }
}

TEST_F(Panel, HostUpdatesMoveThePointerAndIgnoreUnknownIndices)
{
    client.movePointerTo(editor.handle(), 120, 5);
    editor.panel().onParameterUpdate(3, 16.0f); // Dayan Length to its maximum
    editor.panel().onParameterUpdate(2, 2.9f); // Baya Tempo: choice 2
    editor.panel().onParameterUpdate(6, 9.0f);
    editor.panel().onParameterUpdate(5, 97.0f); // a Tempo the host should never send
    const Picture picture = editor.capture();
    const int* atMaximum = pointerPixel(picture, dial(3), 1.0f);
    const int* atMinimum = pointerPixel(picture, dial(3), 0.0f);
    EXPECT_TRUE(nearColour(atMaximum, kDayanIdle, 3));
    EXPECT_FALSE(nearColour(atMinimum, kDayanIdle, 3));
    EXPECT_TRUE(nearColour(pointerPixel(picture, dial(2), 0.5f), kBayaIdle, 3));
    EXPECT_TRUE(editor.host.calls.empty());

    // The tooltip of a hovered Tempo knob: reading a label outside the table would crash here.
    pointAt(5);
    SkeinTest::pumpUntil(
        editor.app(), [] { return false; }, 10);
    pointAt(2);
    SkeinTest::pumpUntil(
        editor.app(), [] { return false; }, 10);
    EXPECT_TRUE(editor.host.calls.empty());
}

TEST_F(Panel, DraggingAKnobEditsOnlyItsParameterInOneGesture)
{
    for (uint32_t i = 0; i < 6; ++i) {
        editor.host.calls.clear();
        drag(i, -20);
        const auto calls = editor.host.callsFor(i);
        ASSERT_GE(calls.size(), 3u) << i;
        EXPECT_EQ(editor.host.calls.size(), calls.size()) << "only parameter " << i;
        EXPECT_EQ(calls.front().kind, HostCall::Gesture);
        EXPECT_TRUE(calls.front().started);
        EXPECT_EQ(calls.back().kind, HostCall::Gesture);
        EXPECT_FALSE(calls.back().started);
        EXPECT_EQ(editor.host.count(HostCall::Gesture), 2u) << i;
        for (size_t c = 1; c + 1 < calls.size(); ++c) {
            EXPECT_EQ(calls[c].kind, HostCall::Value);
            EXPECT_GE(calls[c].value, kMinimum[i]);
            EXPECT_LE(calls[c].value, kMaximum[i]);
        }
        EXPECT_GT(calls[calls.size() - 2].value, kMinimum[i]) << "dragged up from the default";
    }
}

TEST_F(Panel, ShiftSlowsTheDragAndFarDragsStopAtTheLimits)
{
    drag(4, -30); // Dayan Pattern, from 1
    const float plain = editor.host.callsFor(4)[editor.host.callsFor(4).size() - 2].value - 1.0f;
    editor.host.calls.clear();
    editor.panel().onParameterUpdate(4, 1.0f);
    client.key(XK_Shift_L, true);
    drag(4, -30);
    client.key(XK_Shift_L, false);
    const float fine = editor.host.callsFor(4)[editor.host.callsFor(4).size() - 2].value - 1.0f;
    EXPECT_GT(fine, 0.0f) << plain;
    EXPECT_LT(fine * 4.0f, plain) << fine;

    for (uint32_t i : {3u, 4u, 5u}) {
        editor.host.calls.clear();
        drag(i, -2000); // the pointer stops at the screen's edge, far past the range
        auto calls = editor.host.callsFor(i);
        EXPECT_EQ(calls[calls.size() - 2].value, kMaximum[i]) << i;
        editor.host.calls.clear();
        drag(i, 2000);
        calls = editor.host.callsFor(i);
        EXPECT_EQ(calls[calls.size() - 2].value, kMinimum[i]) << i;
    }
}

TEST_F(Panel, DoubleClickResetsTheKnobUnderThePointerAndResendsAllValues)
{
    editor.panel().onParameterUpdate(0, 9.0f);
    editor.panel().onParameterUpdate(4, 700.0f);
    pointAt(0);
    SkeinTest::pumpUntil(
        editor.app(), [] { return false; }, 3);
    for (int click = 0; click < 2; ++click) {
        client.button(1, true);
        ASSERT_TRUE(waitForCalls(1));
        client.button(1, false);
        ASSERT_TRUE(waitForCalls(1));
    }
    SkeinTest::pumpUntil(
        editor.app(), [] { return false; }, 5);

    const auto length = editor.host.callsFor(0);
    ASSERT_EQ(length.size(), 5u); // begin, end; begin, reset value, end
    EXPECT_TRUE(length[0].started && length[2].started);
    EXPECT_FALSE(length[1].started || length[4].started);
    EXPECT_EQ(length[3].kind, HostCall::Value);
    EXPECT_EQ(length[3].value, 4.0f);
    const float unchanged[6] = {4, 1, 2, 4, 700, 2};
    for (uint32_t i = 1; i < 6; ++i) {
        const auto calls = editor.host.callsFor(i);
        ASSERT_EQ(calls.size(), 1u) << i;
        EXPECT_EQ(calls[0].kind, HostCall::Value);
        EXPECT_EQ(calls[0].value, unchanged[i]);
    }
}

TEST(EditorCore, RequestsCarryTheParameterOffsetAndNeedNoCallbacks)
{
    OpenEditor editor;
    editor.link.fParameterOffset = 10;
    editor.panel().pushParameterValue(3, 7.0f);
    editor.panel().markEditGesture(5, true);
    ASSERT_EQ(editor.host.calls.size(), 2u);
    EXPECT_EQ(editor.host.calls[0].index, 13u);
    EXPECT_EQ(editor.host.calls[0].value, 7.0f);
    EXPECT_EQ(editor.host.calls[1].index, 15u);
    editor.link.fSetParamCallback = nullptr;
    editor.link.fEditParamCallback = nullptr;
    editor.panel().pushParameterValue(3, 8.0f);
    editor.panel().markEditGesture(5, false);
    EXPECT_EQ(editor.host.calls.size(), 2u);
}

TEST(PanelScale, AtScaleTwoTheWindowAndKnobsAreTwiceAsLarge)
{
    OpenEditor editor(2.0);
    const Picture picture = editor.capture();
    EXPECT_EQ(picture.width, 484);
    EXPECT_EQ(picture.height, 1224);
    bool keepAspectRatio = false;
    const Skein::Size<unsigned> minimum = editor.window().sizeLimits(keepAspectRatio);
    EXPECT_EQ(minimum.width, 242u);
    EXPECT_EQ(minimum.height, 612u);
    EXPECT_TRUE(keepAspectRatio);
    for (uint32_t i = 0; i < 6; ++i)
        EXPECT_NEAR(editor.panel().dialPlace(i).radius, 100.0f, 0.01f);
}

} // namespace
