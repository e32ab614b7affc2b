// A JACK server of the test process's own (dummy driver, no real-time), started before the first
// test and stopped after the last; its name is exported as JACK_DEFAULT_SERVER so that clients
// and child programs of this process find it. Test thread only.
#pragma once

#include <sys/types.h>

#include <string>

namespace StandaloneTest {

class JackTestServer {
public:
    // Starts jackd with `periodFrames` frames per cycle at 48 kHz and waits (bounded) until a
    // client can connect; running() tells whether it did.
    explicit JackTestServer(unsigned periodFrames = 256);
    ~JackTestServer();
    JackTestServer(const JackTestServer&) = delete;
    JackTestServer& operator=(const JackTestServer&) = delete;

    bool running() const { return fPid > 0; }
    const std::string& name() const { return fName; }
    // Stops the server now, under its running clients.
    void stop();

private:
    pid_t fPid = -1;
    std::string fName;
};

} // namespace StandaloneTest
