// A private X server for the tests of one process: started before the first test, stopped after
// the last (and killed with the process if it dies). Sets DISPLAY for the process.
#pragma once

#include <sys/types.h>

#include <string>

namespace SkeinTest {

class XvfbServer {
public:
    // Starts Xvfb on a free display number; empty display() on failure.
    XvfbServer();
    ~XvfbServer();
    const std::string& display() const { return fDisplay; }

private:
    pid_t fPid = -1;
    std::string fDisplay;
};

} // namespace SkeinTest
