// Answers questions about the context: sample rate, channel counts, current time, table sizes.
// Stateless. [audio-thread]
#pragma once

#include "KrellContextInterface.h"

class KrellContext;
struct Message;

struct SystemObject {
    static void onMessage(
        KrellContext* context, int inlet, const Message* m, SendFunction out) noexcept;
};
