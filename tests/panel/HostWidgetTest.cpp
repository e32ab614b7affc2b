// The Dear ImGui host widget: how toolkit input reaches Dear ImGui (including input no real
// keyboard sends), the clipboard through the X server, no files written, two editors at once.
#include <gtest/gtest.h>
#include <imgui.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <functional>

#include "EditorTestSupport.h"
#include "Knob.h"
#include "PanelFont.h"
#include "ui/ImGuiWidget.h"

using namespace UITest;
using Skein::Widget;

namespace {

class ProbeWidget : public Skein::ImGuiWidget<Skein::TopLevelWidget> {
public:
    using ImGuiWidget::handleButton;
    using ImGuiWidget::handleKey;
    using ImGuiWidget::handleText;
    using ImGuiWidget::handleWheel;
    using ImGuiWidget::ImGuiWidget;
    std::function<void()> onFrame;
    unsigned frames = 0;
    ImGuiIO& io()
    {
        makeImGuiContextCurrent();
        return ImGui::GetIO();
    }

protected:
    void drawFrame() override
    {
        ++frames;
        if (onFrame)
            onFrame();
    }
};

struct ProbeWindow {
    Skein::Application app{false};
    Skein::Window window{app, 0, 300, 200, 1.0};
    ProbeWidget widget{window};
    ProbeWindow()
    {
        window.makeVisible();
        SkeinTest::pumpUntil(app, [this] { return widget.frames > 0; });
    }
    ~ProbeWindow() { window.closeWindow(); }
    void frames(unsigned n)
    {
        const unsigned target = widget.frames + n;
        SkeinTest::pumpUntil(app, [&] { return widget.frames >= target; });
    }
};

Widget::KeyboardEvent key(unsigned code, bool press, unsigned mod = 0)
{
    Widget::KeyboardEvent event;
    event.key = code;
    event.press = press;
    event.mod = mod;
    return event;
}

std::vector<unsigned> queuedCharacters(ImGuiIO& io)
{
    return std::vector<unsigned>(io.InputQueueCharacters.begin(), io.InputQueueCharacters.end());
}

TEST(HostWidget, MapsKeysTextButtonsAndWheelAndRefusesWhatDoesNotFit)
{
    ProbeWindow probe;
    ProbeWidget& w = probe.widget;
    ImGuiIO& io = w.io();

    w.handleKey(key(Skein::kKeyF1, true));
    w.handleKey(key(Skein::kKeyPause, true, Skein::kModifierShift | Skein::kModifierSuper));
    EXPECT_TRUE(io.KeysDown[255]);
    EXPECT_TRUE(io.KeysDown[289]);
    EXPECT_TRUE(io.KeyShift && io.KeySuper && !io.KeyCtrl && !io.KeyAlt);
    bool before[512];
    std::memcpy(before, io.KeysDown, sizeof before);
    w.handleKey(key(0xE023, true, Skein::kModifierControl | Skein::kModifierAlt));
    w.handleKey(key(0x10FFFF, true));
    EXPECT_EQ(std::memcmp(before, io.KeysDown, sizeof before), 0); // modifiers only
    EXPECT_FALSE(io.KeyCtrl); // the last event's modifiers count
    w.handleKey(key('a', true, Skein::kModifierControl));
    EXPECT_TRUE(io.KeysDown['a'] && io.KeyCtrl);
    w.handleKey(key(Skein::kKeyF1, false));
    EXPECT_FALSE(io.KeysDown[255]);
    EXPECT_EQ(io.KeyMap[ImGuiKey_Tab], 9);
    EXPECT_EQ(io.KeyMap[ImGuiKey_LeftArrow], 267);
    EXPECT_EQ(io.KeyMap[ImGuiKey_End], 274);

    io.InputQueueCharacters.resize(0);
    Widget::CharacterInputEvent text;
    std::strcpy(text.string, "a\tb\x1b\xC3\xB7");
    w.handleText(text);
    EXPECT_EQ(queuedCharacters(io), (std::vector<unsigned>{'a', 'b', 0xF7}));
    // Eight bytes without a terminator, the last one a cut-off sequence: read no further.
    io.InputQueueCharacters.resize(0);
    std::memcpy(text.string, "xyzxyzx\xE2", 8);
    w.handleText(text);
    const auto unterminated = queuedCharacters(io);
    ASSERT_GE(unterminated.size(), 7u);
    EXPECT_LE(unterminated.size(), 8u);
    EXPECT_EQ(unterminated[6], static_cast<unsigned>('x'));

    Widget::MouseEvent button;
    for (unsigned b : {1u, 2u, 3u}) {
        button.button = b;
        button.press = true;
        w.handleButton(button);
    }
    EXPECT_TRUE(io.MouseDown[0] && io.MouseDown[1] && io.MouseDown[2]);
    button.button = 4;
    button.press = false;
    w.handleButton(button);
    button.button = 0;
    w.handleButton(button);
    EXPECT_TRUE(io.MouseDown[0] && io.MouseDown[1] && io.MouseDown[2] && !io.MouseDown[3]);

    Widget::ScrollEvent scroll;
    scroll.delta = {0.0, -1.0};
    const float wheel = io.MouseWheel;
    w.handleWheel(scroll);
    EXPECT_EQ(io.MouseWheel, wheel - 1.0f);
    scroll.delta = {2.0, 0.0};
    w.handleWheel(scroll);
    EXPECT_EQ(io.MouseWheelH, 2.0f);
}

TEST(HostWidget, ClipboardGoesBothWaysThroughTheServer)
{
    ProbeWindow probe;
    probe.widget.onFrame = [] { ImGui::SetClipboardText("tabla \xC3\x97 groove"); };
    probe.frames(1);
    std::string pasted;
    probe.widget.onFrame = [&] {
        const char* text = ImGui::GetClipboardText();
        pasted = text != nullptr ? text : "(none)";
    };
    probe.frames(1);
    probe.widget.onFrame = nullptr;
    EXPECT_EQ(pasted, "tabla \xC3\x97 groove");
    bool offered = false;
    for (const auto& type : probe.window.clipboardTypes())
        offered = offered || type.type == "text/plain";
    EXPECT_TRUE(offered);
}

TEST(HostWidget, FramesAreTimedAndNoSettingsOrLogFileIsWritten)
{
    char folder[] = "/tmp/ui-test-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(folder), 0);
    {
        OpenEditor editor;
        float deltaTime = 0.0f;
        editor.panel().onParameterUpdate(0, 5.0f);
        editor.capture();
        deltaTime = ImGui::GetIO().DeltaTime;
        EXPECT_GT(deltaTime, 0.0f);
        EXPECT_LT(deltaTime, 10.0f);
    }
    ASSERT_EQ(chdir(previous), 0);
    DIR* dir = opendir(folder);
    ASSERT_NE(dir, nullptr);
    int entries = 0;
    while (const dirent* entry = readdir(dir))
        entries += std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0;
    closedir(dir);
    rmdir(folder);
    EXPECT_EQ(entries, 0) << "imgui.ini or imgui_log.txt written";
}

TEST(HostWidget, TwoEditorsOnOneThreadDrawTheirOwnValues)
{
    OpenEditor first, second;
    first.panel().onParameterUpdate(3, 16.0f);
    second.panel().onParameterUpdate(3, 4.0f);
    const auto pointerAt = [](OpenEditor& editor, float t) {
        const SkeinTest::Picture picture = editor.capture();
        const auto d = editor.panel().dialPlace(3);
        const float angle = 2.3561945f + t * 4.712389f;
        return nearColour(
            picture.at(static_cast<int>(std::lround(d.x + std::cos(angle) * d.radius / 2)),
                static_cast<int>(std::lround(d.y + std::sin(angle) * d.radius / 2))),
            0x866456, 3);
    };
    EXPECT_TRUE(pointerAt(first, 1.0f));
    EXPECT_FALSE(pointerAt(first, 0.0f));
    EXPECT_TRUE(pointerAt(second, 0.0f));
    EXPECT_FALSE(pointerAt(second, 1.0f));
}

TEST(HostWidget, KnobWithFewerThanTwoStepsDrawsNoTicks)
{
    ProbeWindow probe;
    std::vector<int> vertices;
    bool finite = true;
    probe.widget.onFrame = [&] {
        ImGui::Begin("knobs");
        for (int steps : {-3, 0, 1, 2}) {
            ImDrawList* list = ImGui::GetWindowDrawList();
            const int before = list->VtxBuffer.Size;
            int value = 5;
            ImGui::PushID(steps);
            // A blank title draws nothing, so only the dial's vertices count.
            Orvane::knobInteger(
                " ", &value, 4, 16, 0.0f, nullptr, Orvane::KnobStyleStepped, 40.0f, 0, steps);
            ImGui::PopID();
            vertices.push_back(list->VtxBuffer.Size - before);
            for (int v = before; v < list->VtxBuffer.Size; ++v)
                finite = finite && std::isfinite(list->VtxBuffer[v].pos.x) &&
                    std::isfinite(list->VtxBuffer[v].pos.y);
        }
        ImGui::End();
    };
    probe.frames(1);
    probe.widget.onFrame = nullptr;
    ASSERT_EQ(vertices.size(), 4u);
    EXPECT_TRUE(finite);
    EXPECT_EQ(vertices[0], vertices[1]);
    EXPECT_EQ(vertices[1], vertices[2]);
    EXPECT_GT(vertices[3], vertices[2]); // two ticks drawn
}

TEST(HostWidget, PanelFontIsTheStbCompressedVeraMonoBold)
{
    const Orvane::EmbeddedFile vera = Orvane::veraMonoBoldCompressedFont();
    ASSERT_EQ(vera.size, 34446u);
    EXPECT_EQ(vera.data[0], 0x57);
    EXPECT_EQ(vera.data[1], 0xBC);
    EXPECT_EQ(vera.data[2], 0x00);
    EXPECT_EQ(vera.data[3], 0x00);
    // The compressed stream records the original length (49,052 bytes) big-endian at offset 8.
    EXPECT_EQ(vera.data[8] << 24 | vera.data[9] << 16 | vera.data[10] << 8 | vera.data[11], 49052);
    const Orvane::EmbeddedFile dejaVu = Orvane::dejaVuSansFont();
    ASSERT_GT(dejaVu.size, 700000u);
    EXPECT_EQ(std::memcmp(dejaVu.data, "\x00\x01\x00\x00", 4), 0); // a TrueType font
}

} // namespace
