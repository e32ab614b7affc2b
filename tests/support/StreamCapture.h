// Captures what the code under test writes to a standard stream (stdout or stderr), at the file
// descriptor level so that C stdio and direct writes are caught too. Test thread only.
#pragma once

#include <cstdio>
#include <string>

class StreamCapture {
public:
    explicit StreamCapture(std::FILE* stream);
    ~StreamCapture();
    StreamCapture(const StreamCapture&) = delete;
    StreamCapture& operator=(const StreamCapture&) = delete;

    // Stops capturing and returns everything written so far.
    std::string text();

private:
    std::FILE* fStream;
    std::FILE* fFile;
    int fSaved = -1;

    void restore();
};
