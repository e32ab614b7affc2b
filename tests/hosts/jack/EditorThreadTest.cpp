// The editor thread against JACK's process thread on one running client: knobs turned and notes
// played through the editor's callbacks and the idle step passing changes on, while Control
// Change raises changed flags in the process callback. Labelled for the ThreadSanitizer run,
// which fails it on any unsynchronised access between the two.
#include "ActivePluginJack.h"
#include "JackTestClient.h"

#include <gtest/gtest.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>

namespace {

using StandaloneTest::JackTestClient;

// Plays Control Change 0 on the first channel from a process of its own: two JACK clients in one
// process hand MIDI over through JACK's own signalling, which ThreadSanitizer cannot see.
class ControlChangeSender {
public:
    // Forks while this process has one thread.
    ControlChangeSender()
    {
        if (pipe(fCommands) != 0 || pipe(fReplies) != 0)
            return;
        fPid = fork();
        if (fPid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            close(fCommands[1]);
            close(fReplies[0]);
            _exit(serve(fCommands[0], fReplies[1]));
        }
        close(fCommands[0]);
        close(fReplies[1]);
    }
    ~ControlChangeSender()
    {
        close(fCommands[1]);
        close(fReplies[0]);
        if (fPid > 0)
            waitpid(fPid, nullptr, 0);
    }

    // Connects to `destination` (in the server JACK_DEFAULT_SERVER names).
    bool connect(const std::string& destination)
    {
        const std::string line =
            std::string(std::getenv("JACK_DEFAULT_SERVER")) + "\n" + destination + "\n";
        return write(fCommands[1], line.data(), line.size()) == static_cast<ssize_t>(line.size()) &&
            reply();
    }
    // Returns once the value went out in a cycle.
    bool send(uint8_t value) { return write(fCommands[1], &value, 1) == 1 && reply(); }

private:
    pid_t fPid = -1;
    int fCommands[2] = {-1, -1};
    int fReplies[2] = {-1, -1};

    bool reply()
    {
        char ok = 0;
        return read(fReplies[0], &ok, 1) == 1 && ok == 1;
    }

    static std::string readLine(int fd)
    {
        std::string line;
        char c = 0;
        while (read(fd, &c, 1) == 1 && c != '\n')
            line += c;
        return line;
    }

    static int serve(int commands, int replies)
    {
        setenv("JACK_DEFAULT_SERVER", readLine(commands).c_str(), 1);
        const std::string destination = readLine(commands);
        JackTestClient sender("sender");
        char ok = sender.activate() && sender.connectMidiTo(destination) ? 1 : 0;
        if (write(replies, &ok, 1) != 1 || ok == 0)
            return 1;
        uint8_t value = 0;
        while (read(commands, &value, 1) == 1) {
            ok = sender.sendBatch({{0, {0xB0, 0, value}}}) ? 1 : 0;
            if (write(replies, &ok, 1) != 1)
                return 1;
        }
        return 0;
    }
};

TEST(JackEditorThread, TurnsKnobsAndPlaysNotesWhileJackProcesses)
{
    ControlChangeSender sender; // before this process has threads
    StandaloneTest::ActivePluginJack program;
    ASSERT_TRUE(program.ok());
    Orvane::PluginJack& jack = *program.jack;
    ASSERT_TRUE(sender.connect(program.eventsIn()));

    const Orvane::PluginAdapter& plugin = jack.adapter();
    // Each round crosses at least one cycle: the Control Change goes out in a cycle the client
    // shares.
    for (int round = 0; round < 64; ++round) {
        for (uint32_t i = 0; i < plugin.parameterCount(); ++i) {
            const Orvane::ValueRange& range = plugin.parameterRanges(i);
            Orvane::PluginJack::setParameterCallback(
                &jack, i, round % 2 == 0 ? range.min : range.max);
        }
        Orvane::PluginJack::sendNoteCallback(&jack, 0, 60, round % 2 == 0 ? 100 : 0);
        jack.onIdleTick();
        // Control Change takes Baya Length the other way.
        ASSERT_TRUE(sender.send(round % 2 == 0 ? 127 : 0));
    }
    // The last round's knobs all went to their maximum, then its Control Change took Baya Length
    // back to 4.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (plugin.parameterValue(0) != 4.0f && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_EQ(plugin.parameterValue(0), 4.0f);
    for (uint32_t i = 1; i < plugin.parameterCount(); ++i)
        EXPECT_EQ(plugin.parameterValue(i), plugin.parameterRanges(i).max) << i;
    jack.onIdleTick();
}

} // namespace
