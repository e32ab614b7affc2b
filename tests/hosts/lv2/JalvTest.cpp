// The plug-in in a real LV2 host from Debian: jalv on a JACK server of the test's own, with the
// test's client as timebase master. jalv sends a position only when the transport changes, so
// the groove it plays stays in time only if the plug-in moves the transport on by itself; it
// must equal, sample for sample, what the plug-in renders when told the position every block.
#include "ChildProgram.h"
#include "JackTestClient.h"
#include "JackTestServer.h"
#include "Lv2TestHost.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

using StandaloneTest::ChildProgram;
using StandaloneTest::JackTestClient;
using StandaloneTest::JackTestServer;
using StandaloneTest::RecordedCycle;

constexpr char kClientName[] = "VantorelLv2";

// jalv leaves when its standard input ends: it reads and writes a FIFO of its own, which never
// ends; SIGTERM ends it.
ChildProgram startJalv(const std::string& fifo)
{
    return ChildProgram("/bin/sh",
        {"-c",
            "exec jalv -n \"$0\" -c dayan_pattern=17 -c baya_tempo=3 " +
                std::string("urn:fellmark-audio:vantorel <> \"$1\""),
            kClientName, fifo});
}

bool waitForPort(jack_client_t* client, const std::string& name)
{
    for (int i = 0; i < 3000; ++i) {
        if (jack_port_by_name(client, name.c_str()) != nullptr)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

// The position a host that reports every block sends for one recorded cycle.
HostPosition positionOf(const RecordedCycle& cycle)
{
    const jack_position_t& jack = cycle.position;
    HostPosition position;
    position.speed = cycle.state == JackTransportRolling ? 1.0f : 0.0f;
    position.frame = jack.frame;
    position.bar = jack.bar - 1;
    position.barBeat = static_cast<float>(jack.beat - 1 + jack.tick / jack.ticks_per_beat);
    position.beatsPerBar = jack.beats_per_bar;
    position.beatUnit = static_cast<int32_t>(jack.beat_type);
    position.beatsPerMinute = static_cast<float>(jack.beats_per_minute);
    return position;
}

std::vector<float> reference(const JackTestClient& capture, uint32_t count)
{
    Lv2TestHost host;
    EXPECT_TRUE(host.start(48000.0, 256));
    host.setControl("dayan_pattern", 17.0f);
    host.setControl("baya_tempo", 3.0f);
    std::vector<float> left, right;
    for (uint32_t c = 0; c < count; ++c) {
        const RecordedCycle& cycle = capture.cycles()[c];
        host.addPosition(0, positionOf(cycle));
        host.run(cycle.frames);
        left.insert(left.end(), host.left(), host.left() + cycle.frames);
        right.insert(right.end(), host.right(), host.right() + cycle.frames);
    }
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

} // namespace

TEST(Jalv, PlaysTheGrooveInTimeWithTheJackTransport)
{
    JackTestServer server;
    ASSERT_TRUE(server.running());
    const std::string fifo = testing::TempDir() + "jalv-input-" + std::to_string(getpid());
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    ChildProgram jalv = startJalv(fifo);
    JackTestClient capture("capture");
    ASSERT_TRUE(capture.ok());
    const std::string first = std::string(kClientName) + ":audio_out_1";
    const std::string second = std::string(kClientName) + ":audio_out_2";
    ASSERT_TRUE(waitForPort(capture.client(), second)) << jalv.output();
    capture.becomeTimebaseMaster(120.0);
    ASSERT_TRUE(capture.activate());
    ASSERT_TRUE(capture.connectFrom(first, 0));
    ASSERT_TRUE(capture.connectFrom(second, 1));

    ASSERT_TRUE(capture.recordTransportRun(8, 400, 200)); // about two seconds of groove

    const std::vector<float> expected = reference(capture, capture.recordedCycleCount());
    ASSERT_TRUE(std::any_of(expected.begin(), expected.end(), [](float v) { return v != 0.0f; }));
    const std::vector<float> actual = capture.recordedStereo();
    ASSERT_EQ(actual.size(), expected.size());
    const auto difference = std::mismatch(actual.begin(), actual.end(), expected.begin());
    EXPECT_EQ(difference.first - actual.begin(), static_cast<long>(actual.size()))
        << "first differing sample";

    jalv.signal(SIGTERM);
    EXPECT_EQ(jalv.waitForExit(30.0), 0) << jalv.output();
    unlink(fifo.c_str());
}
