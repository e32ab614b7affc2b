// Emits part of a message: `count` elements from `start` (count <= 0: to the end); a message too
// short for start gives a bang on outlet 1. A negative start counts as 0. [audio-thread]
#pragma once

#include "KrellContextInterface.h"

class KrellContext;
struct Message;

struct SliceObject {
    // The slice is built on the stack, so a longer slice is cut to this many elements.
    static constexpr int kMaxElements = 64;

    int start = 0;
    int count = 0;

    void init(int start, int count) noexcept;
    void onMessage(KrellContext* context, int inlet, const Message* m, SendFunction out) noexcept;
};
