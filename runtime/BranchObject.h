// Routes every message to outlet 1 when its condition holds, else to outlet 0. [audio-thread]
#pragma once

#include "KrellContextInterface.h"

class KrellContext;
struct Message;

struct BranchObject {
    bool condition = false;

    void init(bool condition) noexcept;
    void onMessage(KrellContext* context, int inlet, const Message* m, SendFunction out) noexcept;
};
