// The program's state file as a user meets it: what one run was told, the next one plays (by
// its captured audio); SIGUSR1 saves; a process killed during many saves leaves a whole file;
// a bad file stops the program before JACK is touched; a save that cannot be made says so.
#include "ChildProgram.h"
#include "ExpectedState.h"
#include "GrooveCapture.h"
#include "JackTestClient.h"
#include "JackTestServer.h"
#include "StateFile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <cstdlib>

namespace {

using StandaloneTest::ChildProgram;
using StandaloneTest::fileBytes;
using StandaloneTest::JackTestClient;
using StandaloneTest::JackTestServer;
using StandaloneTest::stateWith;
using StandaloneTest::waitUntil;

constexpr double kBound = 30.0; // seconds: only a hang takes this long
const char* const kHeadless = "running without the editor, as a JACK client only";

using Values = std::vector<std::pair<uint32_t, float>>;

ino_t inodeOf(const std::string& path)
{
    struct stat info = {};
    return stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

struct Folder {
    std::string path;
    Folder()
    {
        char pattern[] = "/tmp/vantorel-state-XXXXXX";
        path = mkdtemp(pattern);
    }
    ~Folder() { std::system(("rm -rf '" + path + "'").c_str()); }
};

ChildProgram startProgram(const std::vector<std::string>& arguments)
{
    return ChildProgram(VANTOREL_PROGRAM_PATH, arguments);
}

TEST(StateFileProgram, ValuesAndGrooveSurviveARestartAndSignalsSave)
{
    Folder folder;
    const std::string path = folder.path + "/groove.state";
    const Values told{{4, 17.0f}, {2, 3.0f}}; // Dayan Pattern 17, Baya Tempo ÷1.5
    Values changed = told;
    changed.emplace_back(3, 16.0f); // and Dayan Length 16
    {
        JackTestServer server;
        ASSERT_TRUE(server.running());
        {
            ChildProgram first =
                startProgram({"--state", path, "--dayan-pattern", "17", "--baya-tempo", "÷1.5"});
            ASSERT_TRUE(first.waitForOutput(kHeadless, kBound)) << first.output();
            first.signal(SIGINT);
            ASSERT_EQ(first.waitForExit(kBound), 0) << first.output();
        }
        ASSERT_EQ(fileBytes(path), stateWith(told));

        ChildProgram second = startProgram({"--state", path});
        ASSERT_TRUE(second.waitForOutput(kHeadless, kBound)) << second.output();
        JackTestClient capture("capture");
        ASSERT_TRUE(capture.ok());
        const auto groove =
            recordGroove(capture, "Vantorel:audio_out_1", "Vantorel:audio_out_2", told);
        ASSERT_GT(groove.rollingCycles, 300u) << second.output();
        ASSERT_FALSE(StandaloneTest::silent(groove.expected, 0, groove.expected.size() / 2));
        EXPECT_TRUE(groove.recorded == groove.expected)
            << "the restarted program plays another groove";

        // SIGUSR1 saves what Control Change set since, while the program runs on.
        JackTestClient sender("sender");
        ASSERT_TRUE(sender.activate());
        ASSERT_TRUE(sender.connectMidiTo("Vantorel:events-in"));
        EXPECT_TRUE(waitUntil([&] {
            sender.sendBatch({{0, {0xB0, 21, 127}}});
            second.signal(SIGUSR1);
            return fileBytes(path) == stateWith(changed);
        }));
        EXPECT_EQ(second.output().find("Failed"), std::string::npos);
    }

    // Killed in the middle of many saves: the file is the old state or the new one, whole.
    JackTestServer server(256, false);
    ASSERT_TRUE(server.running());
    Values back = told;
    back.emplace_back(3, 4.0f);
    ChildProgram third = startProgram({"--state", path, "--dayan-length", "4"});
    // Until its handler is in place, SIGUSR1 would end the program.
    ASSERT_TRUE(third.waitForOutput(kHeadless, kBound)) << third.output();
    EXPECT_TRUE(waitUntil([&] {
        third.signal(SIGUSR1);
        return fileBytes(path) == stateWith(back);
    }));
    // Each save renames a new file over the old one: a new inode.
    ino_t seen = inodeOf(path);
    int replaced = 0;
    EXPECT_TRUE(waitUntil([&] {
        third.signal(SIGUSR1);
        if (inodeOf(path) != seen) {
            seen = inodeOf(path);
            ++replaced;
        }
        return replaced >= 20;
    }));
    third.signal(SIGUSR1);
    third.signal(SIGKILL);
    third.waitForExit(kBound);
    const std::string last = fileBytes(path);
    EXPECT_TRUE(last == stateWith(changed) || last == stateWith(back));
}

TEST(StateFileProgram, BadFilesStopBeforeJackAndFailedSavesSaySo)
{
    setenv("JACK_DEFAULT_SERVER", "vantorel-test-no-server", 1);
    Folder folder;
    const std::string broken = folder.path + "/broken.state";
    std::string error;
    const std::string whole = stateWith({});
    ASSERT_TRUE(Orvane::writeStateFile(broken, whole.substr(0, whole.size() / 2), error));
    const std::string garbage = folder.path + "/garbage.state";
    ASSERT_TRUE(Orvane::writeStateFile(garbage, std::string(5000, 'x'), error));
    for (const std::string& path : {broken, garbage, folder.path}) {
        ChildProgram program = startProgram({"--state", path});
        EXPECT_EQ(program.waitForExit(kBound), 2) << path;
        const std::string output = program.output();
        EXPECT_EQ(output.rfind("vantorel: ", 0), 0u) << output;
        EXPECT_NE(output.find(path), std::string::npos) << output;
        EXPECT_EQ(output.find('\n'), output.size() - 1) << output;
    }
    EXPECT_EQ(fileBytes(broken), whole.substr(0, whole.size() / 2));

    // A folder nobody may write into, root included: the save on the way out fails, says so in
    // one line, and the exit status tells.
    JackTestServer server;
    ASSERT_TRUE(server.running());
    ChildProgram program = startProgram({"--state", "/proc/vantorel.state"});
    ASSERT_TRUE(program.waitForOutput(kHeadless, kBound)) << program.output();
    program.signal(SIGTERM);
    EXPECT_EQ(program.waitForExit(kBound), 1);
    EXPECT_NE(program.output().find("vantorel: cannot save the state to /proc/vantorel.state: "),
        std::string::npos)
        << program.output();
}

} // namespace
