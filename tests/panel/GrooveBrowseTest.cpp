// Seeing and browsing the groove on a real X server: the step strips' bols and lit cells in real
// pixels, the wheel and Ctrl+click entry with real input, and the groove code through the real
// clipboard, with another client (xclip) at the other end.
#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <imgui.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "EditorTestSupport.h"
#include "PanelColours.h"

using namespace UITest;
using SkeinTest::Picture;
using SkeinTest::TestClient;

namespace {

unsigned hexOf(const ImVec4& colour)
{
    const ImU32 packed = ImGui::ColorConvertFloat4ToU32(colour);
    return (packed & 0xFF) << 16 | (packed >> 8 & 0xFF) << 8 | (packed >> 16 & 0xFF);
}

class GrooveBrowse : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(client.display(), nullptr);
        client.focus(editor.handle());
    }

    void frames(int n)
    {
        SkeinTest::pumpUntil(
            editor.app(), [] { return false; }, n);
    }

    bool waitForCalls(size_t count)
    {
        return SkeinTest::pumpUntil(
            editor.app(), [&] { return editor.host.calls.size() >= count; });
    }

    void pointAt(uint32_t index)
    {
        const auto dial = editor.panel().dialPlace(index);
        client.movePointerTo(editor.handle(), static_cast<int>(dial.x), static_cast<int>(dial.y));
        frames(3);
    }

    // Dear ImGui sees a press only in a frame of its own.
    void click()
    {
        client.button(1, true);
        frames(2);
        client.button(1, false);
        frames(2);
    }

    void ctrlClick(uint32_t index)
    {
        pointAt(index);
        client.key(XK_Control_L, true);
        click();
        client.key(XK_Control_L, false);
        frames(3);
    }

    void type(const std::vector<KeySym>& keys)
    {
        for (KeySym key : keys) {
            client.key(key, true);
            frames(2);
            client.key(key, false);
            frames(2);
        }
    }

    // The light text pixels of an unlit strip cell, over the size of the first cell (the green
    // channel, which both drums' cell colours hold alike).
    std::vector<bool> textOf(const Picture& picture, int drum, int cell)
    {
        const Orvane::CellPlace first = editor.panel().cellPlace(0, 0);
        const Orvane::CellPlace place = editor.panel().cellPlace(drum, cell);
        std::vector<bool> mask;
        for (int y = 0; y < static_cast<int>(first.max.y - first.min.y); ++y)
            for (int x = 0; x < static_cast<int>(first.max.x - first.min.x); ++x)
                mask.push_back(picture.at(static_cast<int>(place.min.x) + x,
                                   static_cast<int>(place.min.y) + y)[1] > 0x80);
        return mask;
    }

    // A pixel of a cell's background: the middle of its top edge.
    const int* cellBackground(const Picture& picture, int drum, int cell)
    {
        const Orvane::CellPlace place = editor.panel().cellPlace(drum, cell);
        return picture.at(
            static_cast<int>((place.min.x + place.max.x) / 2), static_cast<int>(place.min.y) + 1);
    }

    // Runs a shell command on another thread while the editor keeps serving the X server.
    std::string runWhilePumping(const std::string& command)
    {
        std::atomic<bool> done{false};
        std::string output;
        std::thread runner([&] {
            FILE* pipe = popen(command.c_str(), "r");
            char buffer[256];
            size_t n = 0;
            while (pipe != nullptr && (n = fread(buffer, 1, sizeof(buffer), pipe)) > 0)
                output.append(buffer, n);
            if (pipe != nullptr)
                pclose(pipe);
            done = true;
        });
        SkeinTest::pumpUntil(editor.app(), [&] { return done.load(); });
        runner.join();
        return output;
    }

    TestClient client;
    OpenEditor editor;
};

TEST_F(GrooveBrowse, StripsNameEachStepsBolAndLightTheLatestStep)
{
    editor.panel().onParameterUpdate(3, 16.0f); // Dayan Length 16, Pattern 1
    editor.panel().onParameterUpdate(1, 2.0f); // Baya Pattern 2, Length 4
    client.movePointerTo(editor.handle(), 5, 5);
    Picture picture = editor.capture();

    const std::vector<std::string> dayan = {"Na", "Tun", "Tin", "-", "Tun", "-", "Tin", "Tin",
        "Tin", "-", "Tin", "Tit", "Tin", "Na", "Tin", "-"};
    const std::vector<std::string> baya = {"Ke", "Ge", "-", "Ghe"};
    std::vector<std::pair<std::string, std::vector<bool>>> cells;
    for (int i = 0; i < 16; ++i)
        cells.emplace_back(dayan[i], textOf(picture, 0, i));
    for (int i = 0; i < 4; ++i)
        cells.emplace_back(baya[i], textOf(picture, 1, i));
    EXPECT_EQ(editor.panel().cellPlace(1, 4).max.x, 0.0f) << "Length 4: four cells";
    // A cell shows the same text as another exactly when both name the same bol.
    for (size_t a = 0; a < cells.size(); ++a) {
        EXPECT_GT(std::count(cells[a].second.begin(), cells[a].second.end(), true), 0) << a;
        for (size_t b = a + 1; b < cells.size(); ++b)
            EXPECT_EQ(cells[a].first == cells[b].first, cells[a].second == cells[b].second)
                << cells[a].first << " " << a << ", " << cells[b].first << " " << b;
    }

    // Pattern 1 Length 4 on both drums: Na Tun Tin rest and Ka Ghe Ga rest.
    editor.panel().onParameterUpdate(3, 4.0f);
    editor.panel().onParameterUpdate(1, 1.0f);
    picture = editor.capture();
    EXPECT_EQ(textOf(picture, 0, 3), textOf(picture, 1, 3)) << "both rests";
    EXPECT_EQ(textOf(picture, 0, 2), cells[2].second) << "Tin";
    EXPECT_NE(textOf(picture, 1, 1), textOf(picture, 1, 2)) << "Ghe, Ga";

    // The latest steps lit, a rest included.
    editor.panel().onMonitorUpdate(0, 2);
    editor.panel().onMonitorUpdate(1, 3);
    picture = editor.capture();
    const unsigned dayanLit = hexOf(Orvane::panelColours().dayan.hovered);
    const unsigned bayaLit = hexOf(Orvane::panelColours().baya.hovered);
    for (int cell = 0; cell < 4; ++cell) {
        EXPECT_EQ(nearColour(cellBackground(picture, 0, cell), dayanLit, 3), cell == 2) << cell;
        EXPECT_EQ(nearColour(cellBackground(picture, 1, cell), bayaLit, 3), cell == 3) << cell;
    }
    editor.panel().onMonitorUpdate(0, -1);
    picture = editor.capture();
    for (int cell = 0; cell < 4; ++cell)
        EXPECT_FALSE(nearColour(cellBackground(picture, 0, cell), dayanLit, 3)) << cell;
    EXPECT_TRUE(editor.host.calls.empty());
}

TEST_F(GrooveBrowse, WheelAndTypedEntryAreOneGestureWithOneValueEach)
{
    using Calls = std::vector<std::tuple<int, uint32_t, float>>;
    auto calls = [&] {
        Calls out;
        for (const HostCall& call : editor.host.calls)
            out.emplace_back(call.kind == HostCall::Value ? 2 : call.started, call.index,
                call.kind == HostCall::Value ? call.value : 0.0f);
        editor.host.calls.clear();
        return out;
    };
    pointAt(4); // Dayan Pattern, at 1
    client.clickButton(4); // wheel up
    ASSERT_TRUE(waitForCalls(3));
    frames(3);
    EXPECT_EQ(calls(), (Calls{{1, 4, 0}, {2, 4, 2.0f}, {0, 4, 0}}));
    client.clickButton(5);
    client.clickButton(5); // at the minimum: no edit
    ASSERT_TRUE(waitForCalls(3));
    frames(3);
    EXPECT_EQ(calls(), (Calls{{1, 4, 0}, {2, 4, 1.0f}, {0, 4, 0}}));

    ctrlClick(4);
    EXPECT_TRUE(editor.host.calls.empty()) << "Ctrl+click grabs nothing";
    type({XK_BackSpace, XK_1, XK_7, XK_Return});
    ASSERT_TRUE(waitForCalls(3));
    EXPECT_EQ(calls(), (Calls{{1, 4, 0}, {2, 4, 17.0f}, {0, 4, 0}}));

    // Escape, a click elsewhere and a text that names no value change nothing.
    ctrlClick(4);
    type({XK_BackSpace, XK_9, XK_9, XK_Escape});
    ctrlClick(3);
    type({XK_BackSpace, XK_9});
    client.movePointerTo(editor.handle(), 120, 5);
    click();
    ctrlClick(5);
    type({XK_BackSpace, XK_x, XK_Return});
    frames(5);
    EXPECT_TRUE(calls().empty());

    // A Tempo typed as its number; the knob then shows the label under it.
    ctrlClick(5);
    type({XK_BackSpace, XK_3, XK_Return});
    ASSERT_TRUE(waitForCalls(3));
    EXPECT_EQ(calls(), (Calls{{1, 5, 0}, {2, 5, 3.0f}, {0, 5, 0}}));
}

TEST_F(GrooveBrowse, GrooveCodeGoesThroughTheRealClipboardBothWays)
{
    const Orvane::CellPlace line = editor.panel().grooveLinePlace();
    client.movePointerTo(editor.handle(), static_cast<int>((line.min.x + line.max.x) / 2),
        static_cast<int>((line.min.y + line.max.y) / 2));
    frames(3);
    click();
    EXPECT_EQ(runWhilePumping("xclip -selection clipboard -o"), "D1:4:x1 B1:4:x1");
    EXPECT_TRUE(editor.host.calls.empty());

    // A code pasted with Ctrl+V: one gesture per changed parameter (Baya Length stays 4).
    runWhilePumping(
        "printf 'D17:7:x1.5  b3:4:/2\\n' | xclip -selection clipboard -i >/dev/null 2>&1");
    client.key(XK_Control_L, true);
    type({XK_v});
    client.key(XK_Control_L, false);
    ASSERT_TRUE(waitForCalls(5 * 3));
    frames(3);
    const std::pair<uint32_t, float> changed[] = {{4, 17}, {3, 7}, {5, 1}, {1, 3}, {2, 4}};
    ASSERT_EQ(editor.host.calls.size(), 15u);
    for (size_t i = 0; i < 5; ++i) {
        const HostCall* call = &editor.host.calls[i * 3];
        EXPECT_TRUE(call[0].kind == HostCall::Gesture && call[0].started);
        EXPECT_EQ(call[1].index, changed[i].first);
        EXPECT_EQ(call[1].value, changed[i].second);
        EXPECT_TRUE(call[2].kind == HostCall::Gesture && !call[2].started);
    }

    // A bad code changes nothing and says so in red on the code line.
    editor.host.calls.clear();
    runWhilePumping("printf 'D17:7:x1.5 B3:12:/3' | xclip -selection clipboard -i >/dev/null 2>&1");
    client.key(XK_Control_L, true);
    type({XK_v});
    client.key(XK_Control_L, false);
    frames(10);
    EXPECT_TRUE(editor.host.calls.empty());
    const Picture picture = editor.capture();
    int red = 0;
    for (int y = static_cast<int>(line.min.y); y < static_cast<int>(line.max.y); ++y)
        for (int x = static_cast<int>(line.min.x); x < static_cast<int>(line.max.x); ++x)
            red += picture.at(x, y)[0] > 0xC0 && picture.at(x, y)[1] < 0x70;
    EXPECT_GT(red, 20);
}

} // namespace
