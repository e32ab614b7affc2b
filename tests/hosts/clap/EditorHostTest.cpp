// The editor inside a CLAP host, through the built module on a real X server: embedded and
// floating, real input, host automation, refusals, untrusted sizes and the lifecycles hosts use.
#include "EditorHostFixture.h"
#include "StreamCapture.h"

#include <X11/Xutil.h>

#include <cmath>
#include <limits>

namespace {

using Sent = std::vector<SentEvent>;

size_t lines(const std::string& text, const std::string& needle)
{
    size_t n = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1))
        ++n;
    return n;
}

class EditorInHost : public EditorHostFixture { };

TEST_F(EditorInHost, EmbeddedPanelDrawsInTheHostsWindowAndADragReachesHostAndGroove)
{
    auto p = newPlugin();
    HostWindow parent(client, 484, 1224);
    uint32_t width = 0, height = 0;
    ASSERT_TRUE(p->gui->create(p->plugin(), CLAP_WINDOW_API_X11, false));
    ASSERT_TRUE(p->gui->get_size(p->plugin(), &width, &height));
    EXPECT_EQ(width, 242u);
    EXPECT_EQ(height, 612u);
    // Before activate, as many hosts do: the editor comes up with no sample rate yet.
    openEmbedded(*p, parent, 2.0);
    EXPECT_EQ(p->host.resizeHintsChanges, 1u);
    ASSERT_EQ(p->host.timers.size(), 1u);
    EXPECT_EQ(p->host.timers.begin()->second, 16u);
    ASSERT_TRUE(p->gui->get_size(p->plugin(), &width, &height));
    EXPECT_EQ(width, 484u);
    EXPECT_EQ(height, 1224u);
    ASSERT_EQ(parent.children().size(), 1u);

    Sent sent;
    ASSERT_TRUE(waitForPanel(*p, parent, sent));
    const SkeinTest::Picture picture = parent.pixels();
    EXPECT_TRUE(nearColour(picture.at(6, 600), kPanelBackground, 3));
    const std::vector<DialSpot> dayan = findDials(picture, true);
    for (const DialSpot& dial : dayan) {
        EXPECT_NEAR(dial.radius, 100.0, 4.0);
        EXPECT_TRUE(nearColour(picture.at(int(dial.x), int(dial.y)), kDayanIdle, 3));
    }
    EXPECT_TRUE(dialShows(picture, dayan[0], true, 0.0)) << "Dayan Length at its default, 4";
    const std::vector<DialSpot> baya = findDials(picture, false);
    EXPECT_TRUE(nearColour(picture.at(int(baya[1].x), int(baya[1].y)), kBayaIdle, 3));

    ASSERT_TRUE(p->instance.activate(48000.0, 1, 256));
    sent.clear();
    drag(*p, parent, dayan[1], -20, sent); // Dayan Pattern, up from 1
    ASSERT_GE(sent.size(), 3u);
    EXPECT_EQ(sent.front().type, CLAP_EVENT_PARAM_GESTURE_BEGIN);
    EXPECT_EQ(sent.back().type, CLAP_EVENT_PARAM_GESTURE_END);
    EXPECT_EQ(count(sent, CLAP_EVENT_PARAM_GESTURE_BEGIN), 1u);
    EXPECT_EQ(count(sent, CLAP_EVENT_PARAM_GESTURE_END), 1u);
    ASSERT_GE(count(sent, CLAP_EVENT_PARAM_VALUE), 1u);
    for (const SentEvent& event : sent)
        EXPECT_EQ(event.param, 4u);
    const double dragged = sent[sent.size() - 2].value;
    EXPECT_GT(dragged, 1.0);
    EXPECT_EQ(p->instance.parameterValue(4), dragged);

    std::string state;
    ASSERT_TRUE(p->instance.saveState(state));
    auto reloaded = newPlugin();
    ASSERT_TRUE(reloaded->instance.loadState(state));
    EXPECT_EQ(reloaded->instance.parameterValue(4), dragged);

    // The order hosts use at exit.
    p->plugin()->stop_processing(p->plugin());
    p->instance.deactivate();
    p->gui->destroy(p->plugin());
    EXPECT_TRUE(p->host.timers.empty());
}

TEST_F(EditorInHost, HostAutomationReachesThePanelOnTheNextTickWithTheLatestValue)
{
    auto p = newPlugin();
    HostWindow parent(client, 242, 612);
    openEmbedded(*p, parent);
    Sent sent;
    ASSERT_TRUE(waitForPanel(*p, parent, sent));
    const DialSpot length = findDials(parent.pixels(), true)[0]; // Dayan Length, 4 to 16

    p->automate(3, 10.0);
    ASSERT_EQ(p->process(), CLAP_PROCESS_CONTINUE);
    p->automate(3, 16.0);
    ASSERT_EQ(p->process(), CLAP_PROCESS_CONTINUE);
    EXPECT_TRUE(dialShows(parent.pixels(), length, true, 0.0)) << "not before the tick";

    for (int i = 0; i < 200 && !dialShows(parent.pixels(), length, true, 1.0); ++i) {
        p->fireTimers();
        usleep(4000);
    }
    const SkeinTest::Picture picture = parent.pixels();
    EXPECT_TRUE(dialShows(picture, length, true, 1.0));
    EXPECT_FALSE(dialShows(picture, length, true, 0.5));
    EXPECT_TRUE(sent.empty() || count(sent, CLAP_EVENT_PARAM_GESTURE_BEGIN) == 0);
}

std::string windowName(Display* display, ::Window window)
{
    char* name = nullptr;
    std::string result;
    if (XFetchName(display, window, &name) != 0 && name != nullptr) {
        result = name;
        XFree(name);
    }
    return result;
}

::Window topLevelNamed(Display* display, const std::string& title)
{
    ::Window root = 0, parent = 0, *list = nullptr, found = 0;
    unsigned n = 0;
    XQueryTree(display, DefaultRootWindow(display), &root, &parent, &list, &n);
    for (unsigned i = 0; i < n; ++i)
        if (windowName(display, list[i]) == title)
            found = list[i];
    XFree(list);
    return found;
}

TEST_F(EditorInHost, FloatingWindowTakesTitleAndOwnerAndEachShowHoldsOneTimer)
{
    auto p = newPlugin();
    HostWindow owner(client, 100, 100);
    ASSERT_TRUE(p->gui->create(p->plugin(), CLAP_WINDOW_API_X11, true));
    const clap_window_t window = x11Window(owner.id());
    EXPECT_FALSE(p->gui->set_parent(p->plugin(), &window)) << "a floating editor has no parent";
    p->gui->suggest_title(p->plugin(), "Vantorel on track 1");
    ASSERT_TRUE(p->gui->set_transient(p->plugin(), &window));
    ASSERT_TRUE(p->gui->show(p->plugin()));
    client.sync();
    ::Window editor = topLevelNamed(client.display(), "Vantorel on track 1");
    ASSERT_NE(editor, 0u);
    ::Window transientFor = 0;
    ASSERT_NE(XGetTransientForHint(client.display(), editor, &transientFor), 0);
    EXPECT_EQ(transientFor, owner.id());
    p->gui->suggest_title(p->plugin(), "Vantorel on track 2");
    p->fireTimers();
    client.sync();
    EXPECT_EQ(windowName(client.display(), editor), "Vantorel on track 2");

    // A second show without hide must not leave a timer behind.
    ASSERT_TRUE(p->gui->show(p->plugin()));
    EXPECT_EQ(p->host.registrations, 1u);
    for (int cycle = 0; cycle < 3; ++cycle) {
        ASSERT_TRUE(p->gui->hide(p->plugin()));
        EXPECT_TRUE(p->host.timers.empty());
        p->fireTimers(); // hosts keep ticking hidden editors
        ASSERT_TRUE(p->gui->show(p->plugin()));
        EXPECT_EQ(p->host.timers.size(), 1u);
    }
    EXPECT_EQ(p->host.registrations, 4u);
    EXPECT_EQ(p->host.unregistrations, 3u);

    // The host keeps firing a timer id after the editor is gone: one report, not one per tick.
    const clap_id stale = p->host.timers.begin()->first;
    p->gui->destroy(p->plugin());
    EXPECT_TRUE(p->host.timers.empty());
    StreamCapture capture(stderr);
    for (int i = 0; i < 5; ++i)
        p->timer->on_timer(p->plugin(), stale);
    EXPECT_EQ(lines(capture.text(), "gui != nullptr"), 1u) << capture.text();
}

TEST_F(EditorInHost, OtherApisAndHostsWithoutGuiOrTimerAreRefusedAndNothingWorksBeforeCreate)
{
    auto p = newPlugin();
    const char* api = nullptr;
    bool floating = true;
    ASSERT_TRUE(p->gui->get_preferred_api(p->plugin(), &api, &floating));
    EXPECT_STREQ(api, "x11");
    EXPECT_FALSE(floating);
    StreamCapture quiet(stderr);
    for (const char* other : {"win32", "cocoa", "wayland", "X11"}) {
        EXPECT_FALSE(p->gui->is_api_supported(p->plugin(), other, false)) << other;
        EXPECT_FALSE(p->gui->create(p->plugin(), other, false)) << other;
        EXPECT_FALSE(p->gui->create(p->plugin(), other, true)) << other;
    }
    EXPECT_FALSE(p->gui->create(p->plugin(), nullptr, false));
    EXPECT_EQ(quiet.text(), "");

    StreamCapture capture(stderr);
    const clap_plugin_t* plugin = p->plugin();
    const clap_window_t window = x11Window(1);
    uint32_t width = 7, height = 7;
    clap_gui_resize_hints_t hints{true, true, true, 1, 1};
    EXPECT_FALSE(p->gui->set_scale(plugin, 2.0));
    EXPECT_FALSE(p->gui->get_size(plugin, &width, &height));
    EXPECT_FALSE(p->gui->can_resize(plugin));
    EXPECT_FALSE(p->gui->get_resize_hints(plugin, &hints));
    EXPECT_FALSE(hints.can_resize_horizontally || hints.preserve_aspect_ratio);
    EXPECT_FALSE(p->gui->adjust_size(plugin, &width, &height));
    EXPECT_FALSE(p->gui->set_size(plugin, 300, 300));
    EXPECT_FALSE(p->gui->set_parent(plugin, &window));
    EXPECT_FALSE(p->gui->set_transient(plugin, &window));
    p->gui->suggest_title(plugin, "title");
    EXPECT_FALSE(p->gui->show(plugin));
    EXPECT_FALSE(p->gui->hide(plugin));
    p->gui->destroy(plugin);
    p->timer->on_timer(plugin, 0);
    p->host.offersTimer = false;
    EXPECT_FALSE(p->gui->create(plugin, CLAP_WINDOW_API_X11, false));
    p->host.offersTimer = true;
    p->host.offersGui = false;
    EXPECT_FALSE(p->gui->create(plugin, CLAP_WINDOW_API_X11, false));
    EXPECT_FALSE(p->gui->show(plugin)) << "nothing was made";
    const std::string text = capture.text();
    EXPECT_EQ(lines(text, "assertion failure: \"gui != nullptr\""), 14u) << text;
    EXPECT_EQ(lines(text, "\"hostTimer != nullptr\""), 1u);
    EXPECT_EQ(lines(text, "\"hostGui != nullptr\""), 1u);
    EXPECT_EQ(p->host.registrations, 0u);
}

TEST_F(EditorInHost, UntrustedScalesAndSizesLeaveTheEditorUsable)
{
    auto p = newPlugin();
    HostWindow parent(client, 242, 612);
    ASSERT_TRUE(p->gui->create(p->plugin(), CLAP_WINDOW_API_X11, false));
    for (double scale : {0.0, -2.0, std::nan(""), std::numeric_limits<double>::infinity()})
        EXPECT_FALSE(p->gui->set_scale(p->plugin(), scale)) << scale;
    const clap_window_t window = x11Window(parent.id());
    ASSERT_TRUE(p->gui->set_parent(p->plugin(), &window));
    ASSERT_TRUE(p->gui->show(p->plugin()));
    Sent sent;
    ASSERT_TRUE(waitForPanel(*p, parent, sent));

    uint32_t width = 0, height = 0;
    EXPECT_FALSE(p->gui->set_size(p->plugin(), 0, 612));
    EXPECT_FALSE(p->gui->set_size(p->plugin(), 242, 0));
    EXPECT_TRUE(p->gui->set_size(p->plugin(), 0xFFFFFFFF, 0xFFFFFFFF));
    ASSERT_TRUE(p->gui->get_size(p->plugin(), &width, &height));
    EXPECT_LE(width, 4096u);
    EXPECT_LE(height, 4096u);
    EXPECT_GE(width, 242u);
    EXPECT_TRUE(p->gui->set_size(p->plugin(), 242, 612));
    // Clamped to 8; the host is asked for that size and refuses it, so nothing changes.
    p->host.agreesToResize = false;
    EXPECT_FALSE(p->gui->set_scale(p->plugin(), 1e300));
    ASSERT_FALSE(p->host.resizeRequests.empty());
    EXPECT_EQ(p->host.resizeRequests.back(), std::make_pair(242u * 8, 612u * 8));
    ASSERT_TRUE(waitForPanel(*p, parent, sent));
    ASSERT_TRUE(p->gui->get_size(p->plugin(), &width, &height));
    EXPECT_EQ(width, 242u);
    EXPECT_EQ(height, 612u);
}

TEST_F(EditorInHost, TwoEditorsEachEditTheirOwnInstance)
{
    auto a = newPlugin();
    auto b = newPlugin();
    HostWindow parentA(client, 242, 612), parentB(client, 242, 612);
    XMoveWindow(client.display(), parentB.id(), 400, 0);
    openEmbedded(*a, parentA);
    openEmbedded(*b, parentB);
    Sent sentA, sentB;
    ASSERT_TRUE(waitForPanel(*a, parentA, sentA));
    ASSERT_TRUE(waitForPanel(*b, parentB, sentB));
    const DialSpot bayaPattern = findDials(parentB.pixels(), false)[1];

    drag(*b, parentB, bayaPattern, -15, sentB);
    a->fireTimers();
    ASSERT_EQ(a->process(), CLAP_PROCESS_CONTINUE);
    keep(*a, sentA);
    EXPECT_TRUE(sentA.empty());
    ASSERT_FALSE(sentB.empty());
    for (const SentEvent& event : sentB)
        EXPECT_EQ(event.param, 1u);
    EXPECT_GT(b->instance.parameterValue(1), 1.0);
    EXPECT_EQ(a->instance.parameterValue(1), 1.0);

    // Destroy without hide, then the same sequence again, as hosts re-create editors.
    b->gui->destroy(b->plugin());
    EXPECT_TRUE(b->host.timers.empty());
    openEmbedded(*b, parentB);
    EXPECT_EQ(b->host.timers.size(), 1u);
    ASSERT_TRUE(waitForPanel(*b, parentB, sentB));
    EXPECT_EQ(parentB.children().size(), 1u);

    // The instance destroyed with its editor open.
    a.reset();
    ASSERT_TRUE(waitForPanel(*b, parentB, sentB));
}

TEST_F(EditorInHost, AGestureOpenWhenTheEditorGoesIsClosedInTheNextFlush)
{
    auto p = newPlugin();
    HostWindow parent(client, 242, 612);
    openEmbedded(*p, parent);
    Sent sent;
    ASSERT_TRUE(waitForPanel(*p, parent, sent));
    drag(*p, parent, findDials(parent.pixels(), false)[0], -30, sent, false);
    ASSERT_EQ(count(sent, CLAP_EVENT_PARAM_GESTURE_BEGIN), 1u);
    ASSERT_EQ(count(sent, CLAP_EVENT_PARAM_GESTURE_END), 0u);

    p->gui->destroy(p->plugin()); // the button is still down
    client.button(1, false);
    OutputEventList out;
    p->instance.params()->flush(p->plugin(), nullptr, out.list());
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out.at(0).type, CLAP_EVENT_PARAM_GESTURE_END);
    EXPECT_EQ(out.as<clap_event_param_gesture_t>(0).param_id, 0u);
    ASSERT_EQ(p->process(), CLAP_PROCESS_CONTINUE);
    EXPECT_EQ(p->block.out.size(), 0u) << "closed once";
}

TEST_F(EditorInHost, TheHostsWindowMayGoBeforeTheEditor)
{
    auto p = newPlugin();
    HostWindow parent(client, 242, 612);
    openEmbedded(*p, parent);
    Sent sent;
    ASSERT_TRUE(waitForPanel(*p, parent, sent));
    parent.destroy();
    for (int i = 0; i < 10; ++i)
        round(*p, sent);
    ASSERT_TRUE(p->gui->hide(p->plugin()));
    p->gui->destroy(p->plugin());
    EXPECT_EQ(p->process(), CLAP_PROCESS_CONTINUE);
}

} // namespace
