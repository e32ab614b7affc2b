// Progress bar of long renders, on standard error.
#include "ProgressBar.h"

#include <unistd.h>

#include <cstdio>

namespace {

constexpr int kWidth = 40;

} // namespace

ProgressBar::ProgressBar(uint64_t total, bool enabled)
    : fTotal(total > 0 ? total : 1), fShown(enabled && isatty(STDERR_FILENO) == 1)
{
}

ProgressBar::~ProgressBar()
{
    if (fShown && fLastPercent >= 0)
        std::fputc('\n', stderr);
}

void ProgressBar::update(uint64_t done)
{
    if (!fShown)
        return;
    const int percent = static_cast<int>(done >= fTotal ? 100 : done * 100 / fTotal);
    if (percent == fLastPercent)
        return;
    fLastPercent = percent;
    char bar[kWidth + 1];
    const int filled = percent * kWidth / 100;
    for (int i = 0; i < kWidth; ++i)
        bar[i] = i < filled ? '#' : '.';
    bar[kWidth] = '\0';
    std::fprintf(stderr, "\r[%s] %3d%%", bar, percent);
    std::fflush(stderr);
}
