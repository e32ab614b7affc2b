// Plays a table once, one value per frame, between a start and an end index. [audio-thread]
#pragma once

#include <cstdint>

#include "KrellContextInterface.h"

class KrellContext;
class Table;
struct Message;

struct TablePlayer {
    Table* table = nullptr;
    uint32_t head = 0;
    uint32_t end = 0;
    bool alignedReads = false;
    bool playing = false;

    void init(Table* table, bool alignedReads) noexcept;
    // Inlet 0: float start / bang / "stop" symbol; 1: table name; 2: float count.
    // Ignored while no table is set, as after a name that finds no table. Outlet 1: the start
    // head; outlet 2: the end-of-playback bang, stamped with the block's start sample.
    void onMessage(KrellContext* context, int inlet, const Message* m, SendFunction out) noexcept;
    // One frame: the next value, or 0 when idle.
    float process(KrellContext* context, SendFunction out) noexcept;
};
