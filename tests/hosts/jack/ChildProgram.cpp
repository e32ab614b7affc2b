// Runs a program as a child with its output in a temporary file. Test thread only.
#include "ChildProgram.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace StandaloneTest {

namespace {

using Clock = std::chrono::steady_clock;

Clock::time_point deadlineAfter(double seconds)
{
    return Clock::now() +
        std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
}

} // namespace

ChildProgram::ChildProgram(
    const std::string& path, const std::vector<std::string>& arguments, const char* display)
{
    char pattern[] = "/tmp/vantorel-child-XXXXXX";
    const int fd = mkstemp(pattern);
    fOutputPath = pattern;
    fPid = fork();
    if (fPid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        dup2(fd, STDOUT_FILENO);
        dup2(fd, STDERR_FILENO);
        if (display != nullptr)
            setenv("DISPLAY", display, 1);
        else
            unsetenv("DISPLAY");
        std::vector<char*> argv{const_cast<char*>(path.c_str())};
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(path.c_str(), argv.data());
        _exit(127);
    }
    close(fd);
}

ChildProgram::~ChildProgram()
{
    // Asked to end first, so that it leaves the JACK server in order.
    signal(SIGTERM);
    if (waitForExit(10.0) < 0 && fPid > 0) {
        kill(fPid, SIGKILL);
        waitpid(fPid, nullptr, 0);
    }
    unlink(fOutputPath.c_str());
}

void ChildProgram::signal(int number)
{
    if (fPid > 0)
        kill(fPid, number);
}

int ChildProgram::waitForExit(double seconds)
{
    const auto deadline = deadlineAfter(seconds);
    while (fPid > 0) {
        int status = 0;
        if (waitpid(fPid, &status, WNOHANG) == fPid) {
            fPid = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        if (Clock::now() > deadline)
            return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return -1;
}

std::string ChildProgram::output() const
{
    std::ifstream file(fOutputPath);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

bool ChildProgram::waitForOutput(const std::string& text, double seconds) const
{
    const auto deadline = deadlineAfter(seconds);
    while (output().find(text) == std::string::npos) {
        if (Clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

} // namespace StandaloneTest
