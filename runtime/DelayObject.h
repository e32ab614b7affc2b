// Delays messages by a number of samples through the scheduler, up to 8 at a time; "flush"
// delivers them at once, "clear" drops them. [audio-thread]
#pragma once

#include <cstdint>

#include "KrellContextInterface.h"

class KrellContext;
struct Message;

struct DelayObject {
    static constexpr int kSlotCount = 8;

    uint32_t delaySamples = 0;
    Message* pending[kSlotCount] = {};

    void init(KrellContext* context, float delayMs) noexcept;
    // `out` is the outlet function, which is also the scheduler target of delayed messages:
    // it must call clearSlot(m) before forwarding a delayed message.
    void onMessage(KrellContext* context, int inlet, const Message* m, SendFunction out) noexcept;
    // Frees the first slot holding m.
    void clearSlot(const Message* m) noexcept;

private:
    void schedule(KrellContext* context, const Message* m, SendFunction out) noexcept;
    // Emits every pending message at once, stamped with `timestamp`, and frees its slot.
    void flush(KrellContext* context, uint32_t timestamp, SendFunction out) noexcept;
};
