// The built vantorel program as a user meets it: command line, ports and metadata, the groove
// through JACK's transport and MIDI clock, signals and the server going away. Each test runs its
// own jackd; the program runs without DISPLAY, so these also show the headless mode.
#include "ChildProgram.h"
#include "GrooveCapture.h"
#include "JackTestClient.h"
#include "JackTestServer.h"

#include <gtest/gtest.h>
#include <jack/metadata.h>
#include <signal.h>

#include <cctype>
#include <chrono>
#include <sstream>
#include <thread>

namespace {

using StandaloneTest::ChildProgram;
using StandaloneTest::JackTestClient;
using StandaloneTest::JackTestServer;
using StandaloneTest::silent;

constexpr double kBound = 30.0; // seconds: only a hang takes this long
const char* const kHeadless = "running without the editor, as a JACK client only";

ChildProgram startProgram(const std::vector<std::string>& arguments = {})
{
    return ChildProgram(VANTOREL_PROGRAM_PATH, arguments);
}

// The full name of the port of the program (or of `owner`) whose short name is `shortName`, once
// it exists.
std::string waitForPort(
    jack_client_t* client, const std::string& shortName, const std::string& owner = "Vantorel")
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    const std::string pattern = ":" + shortName + "$";
    while (std::chrono::steady_clock::now() < deadline) {
        if (const char** ports = jack_get_ports(client, pattern.c_str(), nullptr, 0)) {
            std::string name;
            for (const char** port = ports; *port != nullptr; ++port) {
                if (std::string(*port).rfind(owner, 0) == 0)
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

// jack_midi_dump's lines in its relative form ("+FRAMES: 99 3c 64 note on ..."): each message with
// its distance in frames from the message before.
std::vector<StandaloneTest::TimedMidi> parseRelativeDump(const std::string& text)
{
    std::vector<StandaloneTest::TimedMidi> messages;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string delta;
        if (!(words >> delta) || delta.size() < 3 || delta.front() != '+' || delta.back() != ':')
            continue;
        StandaloneTest::TimedMidi message{std::stoull(delta.substr(1, delta.size() - 2)), {}};
        for (std::string byte; words >> byte && byte.size() == 2 && std::isxdigit(byte[0]);)
            message.bytes.push_back(static_cast<uint8_t>(std::stoul(byte, nullptr, 16)));
        messages.push_back(message);
    }
    return messages;
}

// The audio sample for sample, and midi-out as jack_midi_dump reads it: the same notes at the same
// distances as the plug-in sends them.
TEST(Program, TransportPlaysTheSameGrooveAsThePluginSampleForSample)
{
    JackTestServer server;
    ASSERT_TRUE(server.running());
    // The groove code first, then the single options over it: Dayan Pattern 17, Baya Tempo ÷1.5.
    ChildProgram program = startProgram(
        {"--baya-tempo", "÷1.5", "--groove", "D17:9:x1 B1:4:/2", "--dayan-length", "4"});
    ChildProgram dump("/usr/bin/jack_midi_dump", {"-r", "vantorel-dump"});
    JackTestClient capture("capture");
    ASSERT_TRUE(capture.ok());
    const std::string first = waitForPort(capture.client(), "audio_out_1");
    const std::string second = waitForPort(capture.client(), "audio_out_2");
    const std::string midiOut = waitForPort(capture.client(), "midi-out");
    const std::string dumpIn = waitForPort(capture.client(), "input", "vantorel-dump");
    ASSERT_FALSE(second.empty()) << program.output();
    ASSERT_FALSE(dumpIn.empty()) << dump.output();
    ASSERT_TRUE(capture.connect(midiOut, dumpIn)); // jack_midi_dump activates after registering
    const StandaloneTest::GrooveComparison groove =
        StandaloneTest::recordGroove(capture, first, second, {{4, 17.0f}, {2, 3.0f}});
    ASSERT_GT(groove.rollingCycles, 300u);
    const std::vector<float>& expected = groove.expected;
    const std::vector<float>& actual = groove.recorded;
    const size_t frames = actual.size() / 2;
    ASSERT_FALSE(silent(expected, 0, frames)) << "the reference plays nothing";
    ASSERT_EQ(actual.size(), expected.size());
    size_t firstDifference = 0;
    while (firstDifference < actual.size() && actual[firstDifference] == expected[firstDifference])
        ++firstDifference;
    EXPECT_EQ(firstDifference, actual.size()) << "first differing sample";
    // Stopped for the last second: the groove has ended.
    EXPECT_TRUE(silent(actual, frames - 48000, frames));

    // It leaves the server in order on SIGINT (SIGTERM kills it, and the server then waits on it).
    dump.signal(SIGINT);
    ASSERT_EQ(dump.waitForExit(kBound), 0);
    const std::vector<StandaloneTest::TimedMidi> dumped = parseRelativeDump(dump.output());
    const std::vector<StandaloneTest::TimedMidi>& sent = groove.expectedMidi;
    ASSERT_GT(sent.size(), 10u);
    ASSERT_EQ(dumped.size(), sent.size()) << dump.output();
    for (size_t i = 0; i < sent.size(); ++i) {
        EXPECT_EQ(dumped[i].bytes, sent[i].bytes) << "message " << i;
        if (i > 0) {
            EXPECT_EQ(dumped[i].frame, sent[i].frame - sent[i - 1].frame) << "message " << i;
        }
    }
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
