// The built vantorel program as a child process, its standard output and error captured in one
// file. Test thread only.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace StandaloneTest {

class ChildProgram {
public:
    // Starts `path` with `arguments`, without DISPLAY unless `display` is given.
    ChildProgram(const std::string& path, const std::vector<std::string>& arguments,
        const char* display = nullptr);
    // Ends the program if it still runs.
    ~ChildProgram();
    ChildProgram(const ChildProgram&) = delete;
    ChildProgram& operator=(const ChildProgram&) = delete;

    void signal(int number);
    // The exit status, or -1 when the program has not ended within `seconds`.
    int waitForExit(double seconds);
    // Everything written so far to both streams.
    std::string output() const;
    // Waits (bounded) until the output contains `text`.
    bool waitForOutput(const std::string& text, double seconds) const;

private:
    pid_t fPid = -1;
    std::string fOutputPath;
};

} // namespace StandaloneTest
