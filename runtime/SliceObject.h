// Emits part of a message: `count` elements from `start` (count <= 0: to the end); a message too
// short for start gives a bang on outlet 1. Audio thread only.
#pragma once

#include "KrellContextInterface.h"

class KrellContext;
struct Message;

struct SliceObject {
    int start = 0;
    int count = 0;

    void init(int start, int count) noexcept;
    void onMessage(KrellContext* context, int inlet, const Message* m, SendFunction out) noexcept;
};
