// Seedable Lehmer generator (multiplier 279470273, prime modulus 2^32 - 5). Audio thread only.
#include "RandomObject.h"

#include <cmath>

#include "KrellContext.h"
#include "ObjectMessages.h"

namespace {

constexpr uint64_t kMultiplier = 279470273u;
constexpr uint64_t kModulus = 4294967291u;

// The low 32 bits of the value truncated to an integer; NaN and infinities give 0. fmod is
// exact, so this matches a wide integer conversion for every finite float.
uint32_t low32BitsOfInteger(float value) noexcept
{
    if (!std::isfinite(value))
        return 0;
    double wrapped = std::fmod(std::trunc(static_cast<double>(value)), 4294967296.0);
    if (wrapped < 0)
        wrapped += 4294967296.0;
    return static_cast<uint32_t>(wrapped);
}

} // namespace

void RandomObject::init(uint32_t seed) noexcept
{
    state = seed == 0 ? 1u : seed;
}

void RandomObject::onMessage(
    KrellContext* context, int inlet, const Message* m, SendFunction out) noexcept
{
    if (inlet == 0) {
        state = static_cast<uint32_t>(state * kMultiplier % kModulus);
        sendFloat(context, out, 0, m->timestamp, static_cast<float>(state >> 9) * 0x1p-23f);
    } else if (inlet == 1 && floatAt(m, 0)) {
        // Seeding with 0 is kept: a generator at 0 stays there, and the groove relies on that
        // (every step draws index 0 until a Pattern value arrives).
        state = low32BitsOfInteger(m->floatAt(0));
    }
}
