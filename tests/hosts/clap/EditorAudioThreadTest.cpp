// The editor and the audio thread at once, through the built module: knobs dragged and timers
// fired on the host's main thread while another thread processes blocks. Run under
// ThreadSanitizer, it shows that the editor meets the audio thread only through the queue, the
// notes ring and the cached values.
#include "EditorHostFixture.h"

#include <atomic>
#include <cstdlib>
#include <thread>

namespace {

class EditorAudioThread : public EditorHostFixture {
protected:
    // Software rendering in one thread: the renderer's own threads are not under test.
    static void SetUpTestSuite() { setenv("LP_NUM_THREADS", "0", 1); }
};

TEST_F(EditorAudioThread, DragsAndTimersWhileTheAudioThreadProcesses)
{
    auto p = newPlugin();
    HostWindow parent(client, 242, 612);
    openEmbedded(*p, parent);
    ASSERT_TRUE(p->instance.activate(48000.0, 1, 256));
    std::vector<SentEvent> ignored;
    ASSERT_TRUE(waitForPanel(*p, parent, ignored));
    const std::vector<DialSpot> dials = findDials(parent.pixels(), true);

    std::atomic<bool> stop{false};
    std::atomic<unsigned> gestureEnds{0};
    std::thread audio([&] {
        StereoBlock block;
        block.out.reserve(1 << 16, 1024);
        while (!stop.load()) {
            block.out.clear();
            const clap_process_t data = block.processData(64, nullptr, -1);
            if (p->plugin()->process(p->plugin(), &data) != CLAP_PROCESS_CONTINUE)
                return;
            for (uint32_t i = 0; i < block.out.size(); ++i)
                gestureEnds += block.out.at(i).type == CLAP_EVENT_PARAM_GESTURE_END;
            std::this_thread::yield();
        }
    });

    // The main thread plays host: timers, input, no blocks of its own.
    auto tickUntil = [&](auto done, int rounds = 400) {
        for (int i = 0; i < rounds && !done(); ++i) {
            client.sync();
            p->fireTimers();
            usleep(4000);
        }
        return done();
    };
    for (int n = 0; n < 4; ++n) {
        const DialSpot& dial = dials[n % 2];
        client.movePointerTo(parent.id(), int(dial.x), int(dial.y));
        tickUntil([] { return false; }, 3);
        const unsigned ends = gestureEnds.load();
        client.button(1, true);
        for (int step = 1; step <= 3; ++step) {
            client.movePointerTo(parent.id(), int(dial.x), int(dial.y) - 8 * step);
            tickUntil([] { return false; }, 3);
        }
        client.button(1, false);
        EXPECT_TRUE(tickUntil([&] { return gestureEnds.load() > ends; })) << n;
    }
    stop = true;
    audio.join();
    EXPECT_GT(p->instance.parameterValue(3), 4.0);
    EXPECT_GT(p->instance.parameterValue(4), 1.0);
}

} // namespace
