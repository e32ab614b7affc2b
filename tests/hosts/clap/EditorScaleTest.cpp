// The editor of the built module under hosts that scale it, and under hosts that hide it without
// hiding their own window: sizes told before and after it opens, pixels that fill the host's
// window, mapping.
#include "EditorHostFixture.h"

#include <cmath>

namespace {

using Sent = std::vector<SentEvent>;

class ScaledEditor : public EditorHostFixture {
protected:
    // The panel fills a host window of exactly the size it was told: the panel's background in
    // the far corner, and dials of the scaled size.
    void expectPanelFills(
        HostedPlugin& p, const HostWindow& parent, uint32_t width, uint32_t height, double scale)
    {
        Sent sent;
        ASSERT_TRUE(waitForPanel(p, parent, sent));
        const SkeinTest::Picture picture = parent.pixels();
        EXPECT_TRUE(nearColour(picture.at(int(width) - 6, int(height) - 6), kPanelBackground, 3));
        for (const DialSpot& dial : findDials(picture, false))
            EXPECT_NEAR(dial.radius, 50.0 * scale, 2.0 * scale + 1.0);
        uint32_t w = 0, h = 0;
        ASSERT_TRUE(p.gui->get_size(p.plugin(), &w, &h));
        EXPECT_EQ(w, width);
        EXPECT_EQ(h, height);
    }

    // A host that sizes its window from get_size before it gives it as the parent.
    std::unique_ptr<HostWindow> parentFromSize(HostedPlugin& p, uint32_t& width, uint32_t& height)
    {
        EXPECT_TRUE(p.gui->get_size(p.plugin(), &width, &height));
        return std::make_unique<HostWindow>(client, width, height);
    }
};

TEST_F(ScaledEditor, AHostThatSizesItsWindowFromGetSizeShowsTheWholePanelScaledOrNot)
{
    for (double scale : {2.0, 1.5, 0.0}) {
        auto p = newPlugin();
        ASSERT_TRUE(p->gui->create(p->plugin(), CLAP_WINDOW_API_X11, false));
        if (scale != 0.0) {
            ASSERT_TRUE(p->gui->set_scale(p->plugin(), scale));
        }
        uint32_t width = 0, height = 0;
        const auto parent = parentFromSize(*p, width, height);
        const double factor = scale != 0.0 ? scale : 1.0;
        EXPECT_EQ(width, uint32_t(242 * factor)) << scale;
        EXPECT_EQ(height, uint32_t(612 * factor)) << scale;
        const clap_window_t window = x11Window(parent->id());
        ASSERT_TRUE(p->gui->set_parent(p->plugin(), &window));
        ASSERT_TRUE(p->gui->show(p->plugin()));
        expectPanelFills(*p, *parent, width, height, factor);
        EXPECT_TRUE(p->host.resizeRequests.empty()) << "nothing to ask before it opens";
    }
}

TEST_F(ScaledEditor, ScalingAnOpenEditorAsksTheHostAndRefusedFactorsChangeNothing)
{
    auto p = newPlugin();
    HostWindow parent(client, 242, 612);
    openEmbedded(*p, parent);
    Sent sent;
    ASSERT_TRUE(waitForPanel(*p, parent, sent));
    const double pattern = p->instance.parameterValue(4);

    ASSERT_TRUE(p->gui->set_scale(p->plugin(), 2.0));
    ASSERT_EQ(p->host.resizeRequests.size(), 1u);
    EXPECT_EQ(p->host.resizeRequests[0], std::make_pair(484u, 1224u));
    parent.resize(484, 1224);
    expectPanelFills(*p, parent, 484, 1224, 2.0);
    EXPECT_EQ(p->host.timers.size(), 1u) << "the shown editor keeps its one timer";

    // Factors the editor refuses, and a size the host refuses: the editor stays as it is.
    for (double refused : {0.0, -1.0, std::nan("")})
        EXPECT_FALSE(p->gui->set_scale(p->plugin(), refused));
    p->host.agreesToResize = false;
    EXPECT_FALSE(p->gui->set_scale(p->plugin(), 1.0));
    EXPECT_EQ(p->host.resizeRequests.back(), std::make_pair(242u, 612u));
    expectPanelFills(*p, parent, 484, 1224, 2.0);
    EXPECT_EQ(p->instance.parameterValue(4), pattern) << "remaking the editor edits nothing";
}

bool isMapped(Display* display, uintptr_t window)
{
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) != 0 &&
        attributes.map_state == IsViewable;
}

TEST_F(ScaledEditor, HideUnmapsAnEmbeddedEditorAndShowMapsAndDrawsItAgain)
{
    auto p = newPlugin();
    HostWindow parent(client, 242, 612);
    openEmbedded(*p, parent);
    Sent sent;
    ASSERT_TRUE(waitForPanel(*p, parent, sent));
    ASSERT_EQ(parent.children().size(), 1u);
    const uintptr_t editor = parent.children()[0];
    EXPECT_TRUE(isMapped(client.display(), editor));

    ASSERT_TRUE(p->gui->hide(p->plugin()));
    client.sync();
    EXPECT_FALSE(isMapped(client.display(), editor));
    EXPECT_TRUE(p->host.timers.empty());
    const SkeinTest::Picture hidden = parent.pixels();
    EXPECT_TRUE(findDials(hidden, true).empty()) << "the host's own window shows through";

    ASSERT_TRUE(p->gui->show(p->plugin()));
    client.sync();
    EXPECT_TRUE(isMapped(client.display(), editor));
    EXPECT_EQ(p->host.timers.size(), 1u);
    ASSERT_TRUE(waitForPanel(*p, parent, sent));
}

} // namespace
