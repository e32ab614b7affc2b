// The sequencer's shared part, wired from runtime objects: MIDI real-time status input, the tick
// counter that both drums test, the tick bus and the initialisation bang. [audio-thread]
// (message handlers in processBlock).
#pragma once

#include "runtime/KrellContextInterface.h"

// ParamRealtimeIn: element 0 is a MIDI status; 248 ticks, 252 resets the tick count.
void onRealtimeStatus(KrellContextInterface* context, int inlet, const Message* m) noexcept;
// TickBus: tests a value against both drums' tick moduli, leaving the tick counter alone.
void onTickBus(KrellContextInterface* context, int inlet, const Message* m) noexcept;
// InitReceiver: both drums to length 4, seed value 0, generator reseeded; Dayan first.
void onInitialise(KrellContextInterface* context, int inlet, const Message* m) noexcept;
