// Captures what the code under test writes to standard output, at the file descriptor level so
// that C stdio output is caught too. Test thread only.
#pragma once

#include <cstdio>
#include <string>
#include <unistd.h>

class StdoutCapture {
public:
    StdoutCapture()
        : fFile(std::tmpfile())
    {
        std::fflush(stdout);
        fSaved = dup(STDOUT_FILENO);
        dup2(fileno(fFile), STDOUT_FILENO);
    }

    ~StdoutCapture()
    {
        restore();
        std::fclose(fFile);
    }

    StdoutCapture(const StdoutCapture&) = delete;
    StdoutCapture& operator=(const StdoutCapture&) = delete;

    // Stops capturing and returns everything written so far.
    std::string text()
    {
        restore();
        std::string captured;
        std::rewind(fFile);
        char chunk[256];
        size_t count;
        while ((count = std::fread(chunk, 1, sizeof(chunk), fFile)) > 0)
            captured.append(chunk, count);
        return captured;
    }

private:
    std::FILE* fFile;
    int fSaved = -1;

    void restore()
    {
        if (fSaved < 0)
            return;
        std::fflush(stdout);
        dup2(fSaved, STDOUT_FILENO);
        close(fSaved);
        fSaved = -1;
    }
};
