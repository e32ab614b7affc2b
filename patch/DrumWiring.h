// One drum's sequencer, wired from runtime objects: its receivers (Length, Pattern, Tempo, Tune,
// the length and seed buses), the step on a tick, the reseed every Length steps and the draw that
// triggers and stops voices. Dayan and Baya are the two instances, told apart by their DrumRecord.
// [audio-thread] (message handlers in processBlock).
#pragma once

#include "StrokeTables.h"
#include "runtime/KrellContextInterface.h"

template <int Drum> struct DrumWiring {
    // Receivers.
    static void onLengthParameter(
        KrellContextInterface* context, int inlet, const Message* m) noexcept;
    static void onPatternParameter(
        KrellContextInterface* context, int inlet, const Message* m) noexcept;
    static void onTempo(KrellContextInterface* context, int inlet, const Message* m) noexcept;
    static void onLengthBus(KrellContextInterface* context, int inlet, const Message* m) noexcept;
    static void onSeedBus(KrellContextInterface* context, int inlet, const Message* m) noexcept;
    // Tune in semitones: sets the playback rate of the drum's voices; non-finite values are
    // ignored.
    static void onTune(KrellContextInterface* context, int inlet, const Message* m) noexcept;

    // A tick value (the counted tick, or a TickBus value): steps the drum on a multiple of K.
    static void onTickValue(KrellContextInterface* context, int inlet, const Message* m) noexcept;
    // The drum's part of the initialisation: length 4, seed value 0, generator reseeded.
    static void initialise(KrellContextInterface* context, uint32_t timestamp) noexcept;

private:
    static void routeCommand(KrellContextInterface* context, int outlet, const Message* m) noexcept;
    static void sendLengthCommand(
        KrellContextInterface* context, int outlet, const Message* m) noexcept;
    static void sendSeedCommand(
        KrellContextInterface* context, int outlet, const Message* m) noexcept;
    static void onLengthRest(KrellContextInterface* context, int outlet, const Message* m) noexcept;
    static void onSeedRest(KrellContextInterface* context, int outlet, const Message* m) noexcept;
    static void setLength(KrellContextInterface* context, int outlet, const Message* m) noexcept;
    static void storeSeed(KrellContextInterface* context, int outlet, const Message* m) noexcept;
    static void reseed(KrellContextInterface* context, int outlet, const Message* m) noexcept;
    static void sendSeedToGenerator(
        KrellContextInterface* context, int outlet, const Message* m) noexcept;
    static void setGeneratorState(
        KrellContextInterface* context, int outlet, const Message* m) noexcept;
    static void onSeedArgument(
        KrellContextInterface* context, int outlet, const Message* m) noexcept;
    static void onTickRemainder(
        KrellContextInterface* context, int outlet, const Message* m) noexcept;
    static void onStepCount(KrellContextInterface* context, int outlet, const Message* m) noexcept;
    static void onStepRemainder(
        KrellContextInterface* context, int outlet, const Message* m) noexcept;
    static void scaleDraw(KrellContextInterface* context, int outlet, const Message* m) noexcept;
    static void floorDraw(KrellContextInterface* context, int outlet, const Message* m) noexcept;
    static void playDraw(KrellContextInterface* context, int outlet, const Message* m) noexcept;
    static void step(KrellContextInterface* context, uint32_t timestamp) noexcept;

    struct StepCounterSite;
};

extern template struct DrumWiring<kDayan>;
extern template struct DrumWiring<kBaya>;
