// The sequencer's shared part; see ClockWiring.h. Audio thread only.
//
// One tick: ParamRealtimeIn -> status (element 0) -> switch 248 -> rest slice -> tick counter
//   -> truncation -> m: (m + 1) stored back, then m to the Dayan's and the Baya's tick modulus.
#include "ClockWiring.h"

#include "Composites.h"
#include "DrumWiring.h"
#include "GrooveGraph.h"
#include "PatchInterface.h"
#include "PatchMessages.h"

namespace {
void onTickValue(KrellContextInterface* context, int, const Message* m) noexcept
{
    DrumWiring<kDayan>::onTickValue(context, 0, m);
    DrumWiring<kBaya>::onTickValue(context, 0, m);
}

// Every tick modulus (12, 16, 24, 36, 48) divides 144.
struct TickCounterSite {
    static constexpr float kWrap = 144.0f;
    static VarObject& var(KrellContextInterface* context) noexcept
    {
        return graphOf(context).clock.tickCounter;
    }
    static BranchObject& branch(KrellContextInterface* context) noexcept
    {
        return graphOf(context).clock.tickTruncation;
    }
    static void next(KrellContextInterface* context, int outlet, const Message* m) noexcept
    {
        onTickValue(context, outlet, m);
    }
};

// Both outlets of a rest slice lead on: a lone status byte arrives as a bang on outlet 1.
void onClock(KrellContextInterface* context, int, const Message* m) noexcept
{
    Counter<TickCounterSite>::bang(context, m->timestamp);
}

void onStop(KrellContextInterface* context, int, const Message* m) noexcept
{
    MessageStorage<1> storage;
    graphOf(context).clock.tickCounter.onMessage(
        contextOf(context), 1, Message::initWithFloat(&storage, m->timestamp, 0.0f), &ignoreOutlet);
}

struct StatusRoute {
    SliceObject ClockUnit::*rest;
    SendFunction handler;
};
// Clock, start, continue, stop; start and continue lead to handlers that do nothing.
constexpr float kStatusValues[] = {kMidiClock, kMidiStart, kMidiContinue, kMidiStop};
constexpr StatusRoute kStatusRoutes[] = {
    {&ClockUnit::clockRest, &onClock},
    {&ClockUnit::startRest, &ignoreOutlet},
    {&ClockUnit::continueRest, &ignoreOutlet},
    {&ClockUnit::stopRest, &onStop},
};

void switchStatus(KrellContextInterface* context, int outlet, const Message* m) noexcept
{
    if (outlet != 0)
        return;
    int route = matchExactValue(m, kStatusValues, 4);
    if (route < 0)
        return;
    const StatusRoute& r = kStatusRoutes[route];
    (graphOf(context).clock.*r.rest).onMessage(contextOf(context), 0, m, r.handler);
}
} // namespace

void onRealtimeStatus(KrellContextInterface* context, int, const Message* m) noexcept
{
    graphOf(context).clock.status.onMessage(contextOf(context), 0, m, &switchStatus);
}

void onTickBus(KrellContextInterface* context, int, const Message* m) noexcept
{
    onTickValue(context, 0, m);
}

void onInitialise(KrellContextInterface* context, int, const Message* m) noexcept
{
    DrumWiring<kDayan>::initialise(context, m->timestamp);
    DrumWiring<kBaya>::initialise(context, m->timestamp);
}
