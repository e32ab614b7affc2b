// The editor tests' fixture: the built module, the test's own X connection (XTEST input, the
// host's windows) and a host loop that fires the editor's timer and processes a block per round,
// keeping every event the plug-in sends. Test thread only (it plays host main and audio thread).
#pragma once

#include "ClapFixture.h"
#include "GuiHost.h"
#include "HostWindow.h"

#include <unistd.h>

#include <memory>
#include <vector>

struct SentEvent {
    uint16_t type;
    clap_id param;
    double value;
};

class EditorHostFixture : public ::testing::Test {
protected:
    SkeinTest::TestClient client;
    ClapLibrary library;

    void SetUp() override
    {
        ASSERT_NE(client.display(), nullptr);
        std::string error;
        ASSERT_TRUE(library.open(vantorelClapPath(), error)) << error;
    }

    std::unique_ptr<HostedPlugin> newPlugin() { return std::make_unique<HostedPlugin>(library); }

    static clap_window_t x11Window(uintptr_t id)
    {
        clap_window_t window{CLAP_WINDOW_API_X11, {}};
        window.x11 = id;
        return window;
    }

    // What hosts do right after init: create, scale (when they do), parent, show.
    static void openEmbedded(HostedPlugin& p, const HostWindow& parent, double scale = 0.0)
    {
        ASSERT_TRUE(p.gui->create(p.plugin(), CLAP_WINDOW_API_X11, false));
        if (scale != 0.0) {
            ASSERT_TRUE(p.gui->set_scale(p.plugin(), scale));
        }
        const clap_window_t window = x11Window(parent.id());
        ASSERT_TRUE(p.gui->set_parent(p.plugin(), &window));
        ASSERT_TRUE(p.gui->show(p.plugin()));
    }

    // One host round: the timers fire, a block is processed and its events kept.
    void round(HostedPlugin& p, std::vector<SentEvent>& sent)
    {
        client.sync();
        p.fireTimers();
        ASSERT_EQ(p.process(), CLAP_PROCESS_CONTINUE);
        keep(p, sent);
        usleep(4000); // the host's period, shortened; conditions decide, not time
    }

    static void keep(const HostedPlugin& p, std::vector<SentEvent>& sent)
    {
        for (uint32_t i = 0; i < p.block.out.size(); ++i) {
            const clap_event_header_t& header = p.block.out.at(i);
            if (header.type == CLAP_EVENT_PARAM_VALUE)
                sent.push_back({header.type, p.block.out.as<clap_event_param_value_t>(i).param_id,
                    p.block.out.as<clap_event_param_value_t>(i).value});
            else if (header.type == CLAP_EVENT_PARAM_GESTURE_BEGIN ||
                header.type == CLAP_EVENT_PARAM_GESTURE_END)
                sent.push_back(
                    {header.type, p.block.out.as<clap_event_param_gesture_t>(i).param_id, 0.0});
        }
    }

    template <typename Condition>
    bool roundsUntil(
        HostedPlugin& p, std::vector<SentEvent>& sent, Condition done, int maxRounds = 400)
    {
        for (int i = 0; i < maxRounds; ++i) {
            if (done())
                return true;
            round(p, sent);
        }
        return done();
    }

    static size_t count(const std::vector<SentEvent>& sent, uint16_t type)
    {
        size_t n = 0;
        for (const SentEvent& event : sent)
            n += event.type == type;
        return n;
    }

    // The panel drawn in the parent: three dials per column.
    bool waitForPanel(HostedPlugin& p, const HostWindow& parent, std::vector<SentEvent>& sent)
    {
        return roundsUntil(p, sent, [&] {
            const SkeinTest::Picture picture = parent.pixels();
            return findDials(picture, true).size() == 3 && findDials(picture, false).size() == 3;
        });
    }

    // A real drag on a dial: press, move by dy in steps, release; each step waits for the host.
    void drag(HostedPlugin& p, const HostWindow& parent, const DialSpot& dial, int dy,
        std::vector<SentEvent>& sent, bool release = true)
    {
        const int x = static_cast<int>(dial.x), y = static_cast<int>(dial.y);
        client.movePointerTo(parent.id(), x, y);
        for (int i = 0; i < 3; ++i)
            round(p, sent);
        const size_t begins = count(sent, CLAP_EVENT_PARAM_GESTURE_BEGIN);
        client.button(1, true);
        ASSERT_TRUE(roundsUntil(
            p, sent, [&] { return count(sent, CLAP_EVENT_PARAM_GESTURE_BEGIN) > begins; }));
        for (int step = 1; step <= 4; ++step) {
            client.movePointerTo(parent.id(), x, y + dy * step / 4);
            for (int i = 0; i < 3; ++i)
                round(p, sent);
        }
        if (!release)
            return;
        const size_t ends = count(sent, CLAP_EVENT_PARAM_GESTURE_END);
        client.button(1, false);
        ASSERT_TRUE(
            roundsUntil(p, sent, [&] { return count(sent, CLAP_EVENT_PARAM_GESTURE_END) > ends; }));
    }
};
