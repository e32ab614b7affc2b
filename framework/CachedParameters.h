// Parameter values last seen on the audio side, with a changed flag each, for the editor to pick
// up on its timer. Relaxed atomics: the editor only needs the latest value, and a flag seen late
// is seen on the next tick; the atomics keep the audio, main and editor threads race-free.
// Sized once on the main thread at creation.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

namespace Orvane {

struct CachedParameters {
    uint32_t count = 0;
    std::unique_ptr<std::atomic<bool>[]> changed;
    std::unique_ptr<std::atomic<float>[]> values;

    // All flags false, all values 0.
    void setup(uint32_t parameterCount)
    {
        count = parameterCount;
        changed.reset(parameterCount != 0 ? new std::atomic<bool>[parameterCount]() : nullptr);
        values.reset(parameterCount != 0 ? new std::atomic<float>[parameterCount]() : nullptr);
    }

    // Callers check the index against `count`.
    void store(uint32_t index, float value) noexcept
    {
        values[index].store(value, std::memory_order_relaxed);
        changed[index].store(true, std::memory_order_relaxed);
    }

    float value(uint32_t index) const noexcept
    {
        return values[index].load(std::memory_order_relaxed);
    }
};

} // namespace Orvane
