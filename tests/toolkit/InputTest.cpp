// Real input through the X server (XTEST): key codes and modifiers, text through the input
// method, buttons, wheel and motion, and the travel of events to sub-widgets.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include "ToolkitTestSupport.h"

using namespace SkeinTest;
using Skein::Widget;

namespace {

class Input : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(client.display(), nullptr);
        client.movePointerTo(shown.window.nativeWindowHandle(), 1, 1);
        client.focus(shown.window.nativeWindowHandle());
        pumpUntil(app, [this] { return !recorded().motions.empty(); });
        recorded() = {};
    }
    Recorded& recorded() { return shown.widget.seen; }

    // Taps each key and pumps until all presses and releases arrived.
    std::vector<Widget::KeyboardEvent> tap(std::initializer_list<KeySym> syms)
    {
        const size_t before = recorded().keys.size();
        for (KeySym sym : syms)
            client.tapKey(sym);
        pumpUntil(app, [&] { return recorded().keys.size() >= before + 2 * syms.size(); });
        return {recorded().keys.begin() + static_cast<long>(before), recorded().keys.end()};
    }

    Skein::Application app{true};
    TestClient client;
    ShownWindow shown{app};
};

TEST_F(Input, LettersArriveLowercaseWithShiftBitForShiftAndCapsLock)
{
    client.key(XK_Shift_L, true);
    client.tapKey(XK_a);
    client.key(XK_Shift_L, false);
    pumpUntil(app, [&] { return recorded().keys.size() >= 4; });
    ASSERT_EQ(recorded().keys.size(), 4u);
    EXPECT_EQ(recorded().keys[0].key, Skein::kKeyShiftL);
    EXPECT_EQ(recorded().keys[0].mod, Skein::kModifierShift); // a modifier press sets its own bit
    EXPECT_TRUE(recorded().keys[1].press);
    EXPECT_EQ(recorded().keys[1].key, 97u);
    EXPECT_EQ(recorded().keys[1].mod, Skein::kModifierShift);
    EXPECT_EQ(recorded().keys[3].key, Skein::kKeyShiftL);
    EXPECT_EQ(recorded().keys[3].mod, 0u); // and its release clears it

    recorded() = {};
    const auto caps = tap({XK_Caps_Lock, XK_a, XK_Caps_Lock});
    ASSERT_EQ(caps.size(), 6u);
    EXPECT_EQ(caps[0].key, Skein::kKeyCapsLock);
    EXPECT_EQ(caps[2].key, 97u);
    EXPECT_EQ(caps[2].mod, Skein::kModifierShift);
    ASSERT_GE(recorded().texts.size(), 1u);
    EXPECT_STREQ(recorded().texts[0].string, "A");

    recorded() = {};
    const auto plain = tap({XK_a});
    ASSERT_EQ(plain.size(), 2u);
    EXPECT_EQ(plain[0].key, 97u);
    EXPECT_EQ(plain[0].mod, 0u);
    EXPECT_GT(plain[0].keycode, 0u);
}

TEST_F(Input, ControlCharactersAndSpecialKeysHaveTheirCodes)
{
    const auto keys = tap({XK_BackSpace, XK_Tab, XK_Return, XK_Escape, XK_Delete, XK_F1, XK_F12,
        XK_Left, XK_Up, XK_Right, XK_Down, XK_Page_Up, XK_Page_Down, XK_Home, XK_End, XK_Insert,
        XK_Control_L, XK_Alt_L, XK_Super_L});
    const unsigned expected[] = {8, 9, 13, 27, 127, Skein::kKeyF1, Skein::kKeyF12, Skein::kKeyLeft,
        Skein::kKeyUp, Skein::kKeyRight, Skein::kKeyDown, Skein::kKeyPageUp, Skein::kKeyPageDown,
        Skein::kKeyHome, Skein::kKeyEnd, Skein::kKeyInsert, Skein::kKeyControlL, Skein::kKeyAltL,
        Skein::kKeySuperL};
    ASSERT_EQ(keys.size(), 2 * std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(keys[2 * i].key, expected[i]) << "key " << i;
        EXPECT_TRUE(keys[2 * i].press);
        EXPECT_FALSE(keys[2 * i + 1].press);
    }
    EXPECT_EQ(keys[32].mod, Skein::kModifierControl);
    EXPECT_EQ(keys[34].mod, Skein::kModifierAlt);
    EXPECT_EQ(keys[36].mod, Skein::kModifierSuper);
}

TEST_F(Input, TypedCharactersArriveAsUtf8Text)
{
    const KeyCode eacute = client.mapSpareKey(XK_eacute);
    ASSERT_NE(eacute, 0);
    pumpUntil(
        app, [] { return false; }, 5); // let the layout change reach the window
    tap({XK_x, XK_eacute, XK_BackSpace});
    pumpUntil(app, [&] { return recorded().texts.size() >= 3; });
    ASSERT_EQ(recorded().texts.size(), 3u);
    EXPECT_EQ(recorded().texts[0].character, 'x');
    EXPECT_STREQ(recorded().texts[0].string, "x");
    EXPECT_EQ(recorded().texts[1].character, 0xE9u);
    EXPECT_STREQ(recorded().texts[1].string, "\xc3\xa9");
    EXPECT_EQ(recorded().texts[1].keycode, eacute);
    EXPECT_EQ(recorded().keys[2].key, 0xE9u);
    EXPECT_EQ(recorded().texts[2].character, 8u); // left for key handlers to filter
}

TEST_F(Input, ButtonsAreRenumberedAndTheWheelGivesOnlyScrollEvents)
{
    client.movePointerTo(shown.window.nativeWindowHandle(), 20, 30);
    for (unsigned button : {1u, 2u, 3u, 8u, 9u})
        client.clickButton(button);
    pumpUntil(app, [&] { return recorded().buttons.size() >= 10; });
    const unsigned expected[] = {1, 3, 2, 4, 5};
    ASSERT_EQ(recorded().buttons.size(), 10u);
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(recorded().buttons[2 * i].button, expected[i]);
        EXPECT_TRUE(recorded().buttons[2 * i].press);
        EXPECT_FALSE(recorded().buttons[2 * i + 1].press);
    }
    EXPECT_EQ(recorded().buttons[0].pos.x, 20.0);
    EXPECT_EQ(recorded().buttons[0].pos.y, 30.0);
    EXPECT_EQ(recorded().buttons[0].absolutePos.y, 30.0);

    recorded() = {};
    for (unsigned button : {4u, 5u, 6u, 7u})
        client.clickButton(button);
    pumpUntil(app, [&] { return recorded().scrolls.size() >= 4; });
    pumpUntil(
        app, [] { return false; }, 3);
    ASSERT_EQ(recorded().scrolls.size(), 4u);
    EXPECT_TRUE(recorded().buttons.empty());
    const double dx[] = {0, 0, -1, 1}, dy[] = {1, -1, 0, 0};
    for (unsigned i = 0; i < 4; ++i) {
        EXPECT_EQ(recorded().scrolls[i].direction, i);
        EXPECT_EQ(recorded().scrolls[i].delta.x, dx[i]);
        EXPECT_EQ(recorded().scrolls[i].delta.y, dy[i]);
        EXPECT_EQ(recorded().scrolls[i].pos.x, 20.0);
    }
}

TEST_F(Input, PointerMotionReportsWindowPosition)
{
    client.movePointerTo(shown.window.nativeWindowHandle(), 123, 45);
    pumpUntil(app, [&] { return !recorded().motions.empty(); });
    ASSERT_FALSE(recorded().motions.empty());
    EXPECT_EQ(recorded().motions.back().pos.x, 123.0);
    EXPECT_EQ(recorded().motions.back().absolutePos.y, 45.0);
}

TEST_F(Input, EventsTravelToSubWidgetsRelativeToThem)
{
    RecordingSubWidget lower(&shown.widget), upper(&shown.widget), hidden(&shown.widget);
    lower.placeAt(226, 428);
    lower.setPixelSize(20, 20);
    upper.placeAt(200, 400);
    upper.setPixelSize(20, 20);
    hidden.placeAt(220, 420);
    hidden.setPixelSize(40, 40);
    hidden.makeHidden();

    client.movePointerTo(shown.window.nativeWindowHandle(), 230, 430);
    client.clickButton(1);
    client.clickButton(4);
    pumpUntil(app, [&] { return lower.seen.buttons.size() >= 2 && !lower.seen.scrolls.empty(); });
    ASSERT_EQ(lower.seen.buttons.size(), 2u);
    EXPECT_EQ(lower.seen.buttons[0].pos.x, 4.0);
    EXPECT_EQ(lower.seen.buttons[0].pos.y, 2.0);
    EXPECT_EQ(lower.seen.buttons[0].absolutePos.x, 230.0);
    ASSERT_EQ(lower.seen.scrolls.size(), 1u);
    EXPECT_EQ(lower.seen.scrolls[0].pos.y, 2.0);
    EXPECT_TRUE(hidden.seen.buttons.empty());
    EXPECT_TRUE(upper.seen.buttons.empty());
    EXPECT_TRUE(recorded().buttons.empty()); // used by the sub-widget

    // Overlap: the most recently added visible sub-widget is asked first.
    hidden.makeVisible();
    hidden.uses = true;
    client.clickButton(1);
    pumpUntil(app, [&] { return hidden.seen.buttons.size() >= 2; });
    EXPECT_EQ(hidden.seen.buttons.size(), 2u);
    EXPECT_EQ(hidden.seen.buttons[0].pos.x, 10.0);
    EXPECT_EQ(lower.seen.buttons.size(), 2u);

    // Not used by any sub-widget: the top-level widget gets it.
    lower.uses = hidden.uses = false;
    client.clickButton(1);
    pumpUntil(app, [&] { return recorded().buttons.size() >= 2; });
    EXPECT_EQ(recorded().buttons.size(), 2u);

    // Keys go to every sub-widget unchanged until one uses them.
    tap({XK_b});
    EXPECT_EQ(lower.seen.keys.size(), 2u);
    EXPECT_EQ(hidden.seen.keys.size(), 2u);
    EXPECT_EQ(recorded().keys.size(), 2u);
}

} // namespace
