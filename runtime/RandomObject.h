// Seedable Lehmer generator: any message on inlet 0 emits a float in [0, 1); a float on inlet 1
// sets the state. [audio-thread]
#pragma once

#include <cstdint>

#include "KrellContextInterface.h"

class KrellContext;
struct Message;

struct RandomObject {
    uint32_t state = 1;

    void init(uint32_t seed) noexcept; // 0 becomes 1
    void onMessage(KrellContext* context, int inlet, const Message* m, SendFunction out) noexcept;
};
