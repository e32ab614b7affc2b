// A one-line progress bar on standard error, redrawn only when the shown percentage changes and
// only when standard error is a terminal. Main thread.
#pragma once

#include <cstdint>

class ProgressBar {
public:
    // Shown only when `enabled` and standard error is a terminal.
    ProgressBar(uint64_t total, bool enabled);
    ~ProgressBar();

    void update(uint64_t done);

private:
    uint64_t fTotal;
    bool fShown;
    int fLastPercent = -1;
};
