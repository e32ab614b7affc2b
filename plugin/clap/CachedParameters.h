// Parameter values last seen on the audio side, with a changed flag each, for the editor to pick
// up on its timer. Plain stores on purpose: the editor only ever needs the latest value, and a
// flag seen late is seen on the next tick. Sized once on the main thread at creation.
#pragma once

#include <cstdint>
#include <memory>

namespace Orvane {

struct CachedParameters {
    uint32_t count = 0;
    std::unique_ptr<bool[]> changed;
    std::unique_ptr<float[]> values;

    // All flags false, all values 0.
    void setup(uint32_t parameterCount)
    {
        count = parameterCount;
        changed.reset(parameterCount != 0 ? new bool[parameterCount]() : nullptr);
        values.reset(parameterCount != 0 ? new float[parameterCount]() : nullptr);
    }

    // Callers check the index against `count`.
    void store(uint32_t index, float value) noexcept
    {
        values[index] = value;
        changed[index] = true;
    }
};

}  // namespace Orvane
