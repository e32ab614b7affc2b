// The main-thread report of the audio thread's drop counts.
#include "DropCounters.h"

#include "SoftAssert.h"

namespace Orvane {

namespace {

const char* const kDropTexts[DropCounters::kKinds] = {
    "posts refused by the patch's full input pipe",
    "messages refused by the patch's full message pool",
    "clock ticks cut after a refused tick",
    "MIDI messages beyond 512 in one block",
    "events refused by the host's output list",
};

} // namespace

void DropCounters::reportNew() noexcept
{
    for (uint32_t i = 0; i < kKinds; ++i) {
        const uint64_t total = fCounts[i].load(std::memory_order_relaxed);
        if (total == fReported[i])
            continue;
        printWarning("Audio thread dropped %llu %s",
            static_cast<unsigned long long>(total - fReported[i]), kDropTexts[i]);
        fReported[i] = total;
    }
}

} // namespace Orvane
