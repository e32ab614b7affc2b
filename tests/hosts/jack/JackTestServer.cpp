// Starts and stops the test process's own jackd. Test thread only.
#include "JackTestServer.h"

#include <fcntl.h>
#include <jack/jack.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace StandaloneTest {

namespace {

// Connecting is the only sign that the server is ready; tries are spaced, within a bound.
bool waitUntilReachable(const std::string& name, pid_t pid)
{
    // Each try before the server is up would print its failure.
    jack_set_error_function([](const char*) {});
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return false;
        jack_status_t status;
        jack_client_t* const client = jack_client_open("probe-ready",
            static_cast<jack_options_t>(JackNoStartServer | JackServerName), &status, name.c_str());
        if (client != nullptr) {
            jack_client_close(client);
            jack_set_error_function(nullptr);
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

} // namespace

JackTestServer::JackTestServer(unsigned periodFrames)
{
    static int started = 0;
    fName = "vantorel-test-" + std::to_string(getpid()) + "-" + std::to_string(++started);
    const std::string period = std::to_string(periodFrames);
    fPid = fork();
    if (fPid == 0) {
        // The server must not outlive a test process that crashes.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        // The dummy driver reports every late cycle; the tests do not read it.
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
        // Synchronous, with a client timeout far beyond any load: every cycle waits until each
        // client has run once. Asynchronous mode lets a late client miss a cycle (its output is
        // then stale and MIDI sent to it is lost), which a busy machine makes common.
        execlp("jackd", "jackd", "-n", fName.c_str(), "--no-realtime", "--sync", "-t", "10000",
            "-d", "dummy", "-r", "48000", "-p", period.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    setenv("JACK_DEFAULT_SERVER", fName.c_str(), 1);
    if (fPid > 0 && !waitUntilReachable(fName, fPid))
        stop();
}

JackTestServer::~JackTestServer()
{
    if (fPid <= 0)
        return;
    ::kill(fPid, SIGTERM);
    waitpid(fPid, nullptr, 0);
}

void JackTestServer::stop()
{
    if (fPid <= 0)
        return;
    ::kill(fPid, SIGTERM);
    waitpid(fPid, nullptr, 0);
    fPid = -1;
}

} // namespace StandaloneTest
