// Converts a message to a bang, a float or a symbol. Stateless. [audio-thread]
#pragma once

#include "KrellContextInterface.h"

class KrellContext;
struct Message;

enum class CastKind : int {
    ToBang = 0,
    ToFloat = 1,
    ToSymbol = 2
};

struct CastObject {
    static void onMessage(KrellContext* context, CastKind kind, int inlet, const Message* m,
        SendFunction out) noexcept;
};
