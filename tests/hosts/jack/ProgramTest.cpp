// The built vantorel program as a user meets it: command line, ports and metadata, the groove
// through JACK's transport and MIDI clock, signals and the server going away. Each test runs its
// own jackd; the program runs without DISPLAY, so these also show the headless mode.
#include "ChildProgram.h"
#include "JackTestClient.h"
#include "JackTestServer.h"
#include "JackTransport.h"
#include "PendingValues.h"
#include "PluginAdapter.h"

#include <gtest/gtest.h>
#include <jack/metadata.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

namespace {

using StandaloneTest::ChildProgram;
using StandaloneTest::JackTestClient;
using StandaloneTest::JackTestServer;

constexpr double kBound = 30.0; // seconds: only a hang takes this long
const char* const kHeadless = "running without the editor, as a JACK client only";

ChildProgram startProgram(const std::vector<std::string>& arguments = {})
{
    return ChildProgram(VANTOREL_PROGRAM_PATH, arguments);
}

// The full name of the program's port whose short name is `shortName`, once it exists.
std::string waitForPort(jack_client_t* client, const std::string& shortName)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    const std::string pattern = ":" + shortName + "$";
    while (std::chrono::steady_clock::now() < deadline) {
        if (const char** ports = jack_get_ports(client, pattern.c_str(), nullptr, 0)) {
            std::string name;
            for (const char** port = ports; *port != nullptr; ++port) {
                if (std::string(*port).rfind("Vantorel", 0) == 0)
                    name = *port;
            }
            jack_free(ports);
            if (!name.empty())
                return name;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return "";
}

std::string property(
    jack_client_t* client, const std::string& port, const char* key, std::string* type = nullptr)
{
    char* value = nullptr;
    char* valueType = nullptr;
    if (jack_get_property(
            jack_port_uuid(jack_port_by_name(client, port.c_str())), key, &value, &valueType) != 0)
        return "(none)";
    const std::string text = value;
    if (type != nullptr)
        *type = valueType != nullptr ? valueType : "";
    jack_free(value);
    jack_free(valueType);
    return text;
}

TEST(Program, CommandLineFormsAndFailuresBeforeAnyClient)
{
    setenv("JACK_DEFAULT_SERVER", "vantorel-test-no-server", 1);

    ChildProgram selftest = startProgram({"selftest"});
    EXPECT_EQ(selftest.waitForExit(kBound), 1);
    EXPECT_EQ(selftest.output(),
        "\x1b[31mCode was built without ZEF_RUNTIME_TESTING macro enabled, selftest option is not "
        "available\x1b[0m\n");

    // Not the self-test form: a normal start, which finds no server.
    for (const auto& arguments : {std::vector<std::string>{"selftest", "again"},
             std::vector<std::string>{"embed"}, std::vector<std::string>{}}) {
        ChildProgram program = startProgram(arguments);
        EXPECT_EQ(program.waitForExit(kBound), 1);
        const std::string output = program.output();
        EXPECT_NE(output.find("Failed to create the JACK client, reason was:\n"
                              "Communication error with the JACK server.\n"),
            std::string::npos)
            << output;
    }

    ChildProgram badValue = startProgram({"--dayan-pattern", "17", "--baya-tempo", "÷3"});
    EXPECT_EQ(badValue.waitForExit(kBound), 2);
    EXPECT_EQ(badValue.output(),
        "vantorel: --baya-tempo: invalid value '÷3' (Baya Tempo, ×2 to ÷2) (see --help)\n");

    ChildProgram badCode = startProgram({"--dayan-pattern", "17", "--groove", "D17:4:x1"});
    EXPECT_EQ(badCode.waitForExit(kBound), 2);
    EXPECT_EQ(
        badCode.output(), "vantorel: --groove: bad groove code: it ends too early (see --help)\n");

    ChildProgram help = startProgram({"--help"});
    EXPECT_EQ(help.waitForExit(kBound), 0);
    EXPECT_NE(help.output().find("embed WINDOW"), std::string::npos);
    EXPECT_NE(help.output().find("--dayan-pattern VALUE     Dayan Pattern, 1 to 1337 (default 1)"),
        std::string::npos);
}

TEST(Program, HeadlessClientHasItsPortsAndMetadataAndEndsOnSignals)
{
    JackTestServer server;
    ASSERT_TRUE(server.running());
    JackTestClient observer("observer");
    ASSERT_TRUE(observer.ok());

    for (const int signalNumber : {SIGINT, SIGTERM}) {
        ChildProgram program = startProgram();
        const std::string midiOut = waitForPort(observer.client(), "midi-out");
        ASSERT_FALSE(midiOut.empty()) << program.output();
        const std::string client = midiOut.substr(0, midiOut.find(':'));
        for (const char* name : {"audio_out_1", "audio_out_2"}) {
            jack_port_t* port = jack_port_by_name(observer.client(), (client + ":" + name).c_str());
            ASSERT_NE(port, nullptr) << name;
            EXPECT_STREQ(jack_port_type(port), JACK_DEFAULT_AUDIO_TYPE);
            EXPECT_TRUE(jack_port_flags(port) & JackPortIsOutput);
        }
        jack_port_t* eventsIn =
            jack_port_by_name(observer.client(), (client + ":events-in").c_str());
        ASSERT_NE(eventsIn, nullptr);
        EXPECT_STREQ(jack_port_type(eventsIn), JACK_DEFAULT_MIDI_TYPE);
        EXPECT_TRUE(jack_port_flags(eventsIn) & JackPortIsInput);
        EXPECT_STREQ(jack_port_type(jack_port_by_name(observer.client(), midiOut.c_str())),
            JACK_DEFAULT_MIDI_TYPE);

        std::string type;
        const std::string second = client + ":audio_out_2";
        // The program describes its ports after registering them: the last property it sets says
        // it is done.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (property(observer.client(), second, JACK_METADATA_SIGNAL_TYPE) == "(none)" &&
            std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_EQ(property(observer.client(), second, JACK_METADATA_PRETTY_NAME, &type),
            "Audio Output 2");
        EXPECT_EQ(type, "text/plain");
        EXPECT_EQ(property(observer.client(), second, JACK_METADATA_ORDER, &type), "1");
        EXPECT_EQ(type, "http://www.w3.org/2001/XMLSchema#integer");
        EXPECT_EQ(property(observer.client(), second, JACK_METADATA_SIGNAL_TYPE), "AUDIO");
        EXPECT_EQ(property(observer.client(), second, JACK_METADATA_PORT_GROUP), "(none)");

        program.signal(signalNumber);
        EXPECT_EQ(program.waitForExit(kBound), 0) << program.output();
        EXPECT_NE(program.output().find(kHeadless), std::string::npos) << program.output();
    }
}

TEST(Program, ServerShutdownEndsTheProgram)
{
    JackTestServer server;
    ASSERT_TRUE(server.running());
    ChildProgram program = startProgram();
    ASSERT_TRUE(program.waitForOutput(kHeadless, kBound)) << program.output();
    {
        JackTestClient observer("observer");
        ASSERT_FALSE(waitForPort(observer.client(), "midi-out").empty());
    }
    server.stop();
    EXPECT_EQ(program.waitForExit(kBound), 0);
    EXPECT_NE(program.output().find("jack has shutdown, quitting now...\n"), std::string::npos)
        << program.output();
}

// The groove a fresh plug-in renders for the recorded cycles, given the same transport.
std::vector<float> referenceRender(const std::vector<StandaloneTest::RecordedCycle>& cycles,
    uint32_t count, const std::vector<std::pair<uint32_t, float>>& values)
{
    Orvane::pendingSampleRate = 48000.0;
    Orvane::pendingBufferSize = 256;
    Orvane::PluginAdapter plugin(nullptr, nullptr, nullptr, nullptr);
    for (const auto& [index, value] : values)
        plugin.setParameterValue(index, value);
    std::vector<float> left;
    std::vector<float> right;
    for (uint32_t c = 0; c < count; ++c) {
        const auto& cycle = cycles[c];
        std::vector<float> l(cycle.frames);
        std::vector<float> r(cycle.frames);
        float* outputs[2] = {l.data(), r.data()};
        Orvane::jack_position_t position;
        static_assert(sizeof(position) == sizeof(cycle.position));
        std::memcpy(&position, &cycle.position, sizeof(position));
        plugin.setTransportInfo(Orvane::transportFromJack(
            static_cast<Orvane::jack_transport_state_t>(cycle.state), position));
        plugin.runCycle(nullptr, outputs, cycle.frames, nullptr, 0);
        left.insert(left.end(), l.begin(), l.end());
        right.insert(right.end(), r.begin(), r.end());
    }
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

bool silent(const std::vector<float>& audio, size_t from, size_t to)
{
    return std::all_of(audio.begin() + from, audio.begin() + to, [](float v) { return v == 0.0f; });
}

TEST(Program, TransportPlaysTheSameGrooveAsThePluginSampleForSample)
{
    JackTestServer server;
    ASSERT_TRUE(server.running());
    // The groove code first, then the single options over it: Dayan Pattern 17, Baya Tempo ÷1.5.
    ChildProgram program = startProgram(
        {"--baya-tempo", "÷1.5", "--groove", "D17:9:x1 B1:4:/2", "--dayan-length", "4"});
    JackTestClient capture("capture");
    ASSERT_TRUE(capture.ok());
    const std::string first = waitForPort(capture.client(), "audio_out_1");
    const std::string second = waitForPort(capture.client(), "audio_out_2");
    ASSERT_FALSE(second.empty()) << program.output();
    capture.becomeTimebaseMaster(120.0);
    ASSERT_TRUE(capture.activate());
    ASSERT_TRUE(capture.connectFrom(first, 0));
    ASSERT_TRUE(capture.connectFrom(second, 1));

    ASSERT_TRUE(capture.recordTransportRun(8, 400, 400)); // about two seconds of groove

    const uint32_t count = capture.recordedCycleCount();
    const size_t frames = capture.recordedFrames();
    uint32_t rolling = 0;
    for (uint32_t c = 0; c < count; ++c)
        rolling += capture.cycles()[c].state == JackTransportRolling ? 1 : 0;
    ASSERT_GT(rolling, 300u);
    const std::vector<float> expected =
        referenceRender(capture.cycles(), count, {{4, 17.0f}, {2, 3.0f}});
    ASSERT_FALSE(silent(expected, 0, frames)) << "the reference plays nothing";
    const std::vector<float> actual = capture.recordedStereo();
    ASSERT_EQ(actual.size(), expected.size());
    size_t firstDifference = 0;
    while (firstDifference < actual.size() && actual[firstDifference] == expected[firstDifference])
        ++firstDifference;
    EXPECT_EQ(firstDifference, actual.size()) << "first differing sample";
    // Stopped for the last second: the groove has ended.
    EXPECT_TRUE(silent(actual, frames - 48000, frames));
}

TEST(Program, MidiClockDrivesTheGrooveWithTheTransportStopped)
{
    JackTestServer server;
    ASSERT_TRUE(server.running());
    ChildProgram program = startProgram();
    JackTestClient clock("clock");
    ASSERT_TRUE(clock.ok());
    const std::string first = waitForPort(clock.client(), "audio_out_1");
    const std::string eventsIn = waitForPort(clock.client(), "events-in");
    ASSERT_FALSE(eventsIn.empty()) << program.output();
    ASSERT_TRUE(clock.activate());
    ASSERT_TRUE(clock.connectFrom(first, 0));
    ASSERT_TRUE(clock.connectMidiTo(eventsIn));

    clock.startRecording();
    ASSERT_TRUE(clock.waitForCycles(20));
    const size_t quiet = clock.recordedCycleCount() * 256;
    clock.startClock(1000); // 120 bpm at 48 kHz
    ASSERT_TRUE(clock.waitForCycles(20 + 400));
    clock.stopRecording();
    for (uint32_t c = 0; c < clock.recordedCycleCount(); ++c)
        ASSERT_EQ(clock.cycles()[c].state, JackTransportStopped);
    const std::vector<float>& audio = clock.audio(0);
    EXPECT_TRUE(silent(audio, 0, quiet));
    EXPECT_FALSE(silent(audio, quiet, clock.recordedCycleCount() * 256));
}

} // namespace
