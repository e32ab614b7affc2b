// What the audio thread had to drop rather than wait or grow for, counted so that it is not lost
// silently. The audio thread adds with relaxed atomics; the main thread reports what is new, one
// line per kind, when the instance is deactivated; tests read the counts directly.
#pragma once

#include <atomic>
#include <cstdint>

namespace Orvane {

enum class Drop : uint32_t {
    PipeRefusal, // a post the patch's input pipe had no room for
    PoolRefusal, // a message the patch's scheduler had no pool room for
    TickCut, // clock ticks the bounded tick loop did not try once the patch refused one
    MidiOverflow, // MIDI messages beyond a block's 512
    HostPushRefusal, // events the host's output list refused
};

class DropCounters {
public:
    static constexpr uint32_t kKinds = 5;

    // [any-thread] Lock-free; never allocates.
    void add(Drop kind, uint64_t count = 1) noexcept
    {
        if (count != 0)
            fCounts[index(kind)].fetch_add(count, std::memory_order_relaxed);
    }
    // [any-thread] Everything dropped of this kind since construction.
    uint64_t count(Drop kind) const noexcept
    {
        return fCounts[index(kind)].load(std::memory_order_relaxed);
    }
    // [main-thread] One warning line for each kind dropped since the last report.
    void reportNew() noexcept;

private:
    std::atomic<uint64_t> fCounts[kKinds] = {};
    uint64_t fReported[kKinds] = {};

    static constexpr uint32_t index(Drop kind) noexcept { return static_cast<uint32_t>(kind); }
};

} // namespace Orvane
