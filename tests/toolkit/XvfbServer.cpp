// Starts Xvfb with -displayfd so that parallel test processes each get their own display, and
// registers it as a GoogleTest environment for the whole test executable.
#include "XvfbServer.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

namespace SkeinTest {

XvfbServer::XvfbServer()
{
    int fds[2];
    if (pipe(fds) != 0)
        return;
    fPid = fork();
    if (fPid == 0) {
        // The server must not outlive a test process that crashes.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1600x24",
            "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    // The server writes its display number once it accepts connections.
    while (fPid > 0 && poll(&p, 1, 20000) > 0) {
        char c = 0;
        if (read(fds[0], &c, 1) != 1 || c == '\n')
            break;
        number += c;
    }
    close(fds[0]);
    if (!number.empty())
        fDisplay = ":" + number;
}

XvfbServer::~XvfbServer()
{
    if (fPid <= 0)
        return;
    kill(fPid, SIGTERM);
    int status = 0;
    waitpid(fPid, &status, 0);
}

namespace {

class XvfbEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        fServer = new XvfbServer;
        ASSERT_FALSE(fServer->display().empty()) << "Xvfb did not start";
        setenv("DISPLAY", fServer->display().c_str(), 1);
    }
    void TearDown() override { delete fServer; }

private:
    XvfbServer* fServer = nullptr;
};

const auto* const gEnvironment = ::testing::AddGlobalTestEnvironment(new XvfbEnvironment);

} // namespace

} // namespace SkeinTest
