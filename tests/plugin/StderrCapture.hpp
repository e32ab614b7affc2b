// Captures what the code under test writes to standard error, at the file descriptor level so
// that C stdio output is caught too. Test thread only.
#pragma once

#include <cstdio>
#include <string>
#include <unistd.h>

class StderrCapture {
public:
    StderrCapture()
    {
        std::fflush(stderr);
        fFile = std::tmpfile();
        fSaved = dup(STDERR_FILENO);
        dup2(fileno(fFile), STDERR_FILENO);
    }

    ~StderrCapture()
    {
        restore();
        std::fclose(fFile);
    }

    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;

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
    int fSaved;

    void restore()
    {
        if (fSaved < 0)
            return;
        std::fflush(stderr);
        dup2(fSaved, STDERR_FILENO);
        close(fSaved);
        fSaved = -1;
    }
};
