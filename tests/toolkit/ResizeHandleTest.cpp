// The corner grip: its geometry, and a real drag that resizes the window no smaller than its
// minimum and no larger than 16384 pixels each way.
#include <gtest/gtest.h>

#include "ToolkitTestSupport.h"
#include "skein/ResizeHandle.h"

using namespace SkeinTest;

namespace {

class ProbeHandle : public Skein::ResizeHandle {
public:
    using ResizeHandle::handlePointerMove;
    using ResizeHandle::ResizeHandle;
};

TEST(ResizeHandle, GripGeometryAndDragLimits)
{
    Skein::Application app{true};
    ShownWindow shown(app, 300, 500);
    ProbeHandle handle(&shown.widget);
    EXPECT_EQ(handle.pixelWidth(), 300u);
    const Skein::Rectangle<unsigned> area = handle.resizeArea();
    EXPECT_EQ(area.pos.x, 284u);
    EXPECT_EQ(area.pos.y, 484u);
    EXPECT_EQ(area.size.width, 16u);
    EXPECT_EQ(area.size.height, 16u);
    // Three diagonals, 16 / 3 = 5 pixels apart.
    EXPECT_EQ(handle.line(0).posStart, (Skein::Point<double>{284, 500}));
    EXPECT_EQ(handle.line(0).posEnd, (Skein::Point<double>{300, 484}));
    EXPECT_EQ(handle.line(1).posStart, (Skein::Point<double>{289, 500}));
    EXPECT_EQ(handle.line(2).posEnd, (Skein::Point<double>{300, 494}));

    shown.window.setSizeLimits(200, 300);
    TestClient client;
    client.movePointerTo(shown.window.nativeWindowHandle(), 292, 492);
    pumpUntil(
        app, [] { return false; }, 3);
    client.button(1, true);
    ASSERT_TRUE(pumpUntil(app, [&] { return handle.isResizing(); }));
    client.movePointerTo(shown.window.nativeWindowHandle(), -500, -800);
    ASSERT_TRUE(pumpUntil(app, [&] { return shown.window.pixelWidth() == 200u; }));
    EXPECT_EQ(shown.window.pixelHeight(), 300u);

    // Far beyond any screen: stops at the largest size.
    Skein::Widget::MotionEvent far;
    far.pos = far.absolutePos = {100000.0, 100000.0};
    EXPECT_TRUE(handle.handlePointerMove(far));
    EXPECT_EQ(shown.window.pixelWidth(), 16384u);
    EXPECT_EQ(shown.window.pixelHeight(), 16384u);
    far.pos = far.absolutePos = {0.0, 0.0}; // back before the window draws at that size
    EXPECT_TRUE(handle.handlePointerMove(far));
    EXPECT_EQ(shown.window.pixelWidth(), 200u);

    client.button(1, false);
    ASSERT_TRUE(pumpUntil(app, [&] { return !handle.isResizing(); }));
    EXPECT_FALSE(handle.handlePointerMove(far));
}

} // namespace
