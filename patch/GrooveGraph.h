// The object records of the groove graph, owned by the patch: the shared clock unit, one sequencer
// unit per drum and the twelve stroke voices. The wiring functions reach them through graphOf().
// [audio-thread] after construction.
#pragma once

#include "StrokeTables.h"
#include "StrokeVoice.h"
#include "runtime/BinaryOpObject.h"
#include "runtime/BranchObject.h"
#include "runtime/RandomObject.h"
#include "runtime/SliceObject.h"
#include "runtime/VarObject.h"

class KrellContextInterface;

// MIDI status input and the tick counter, shared by both drums.
struct ClockUnit {
    SliceObject status; // keeps element 0, the status byte
    SliceObject clockRest; // behind 248
    SliceObject startRest; // behind 250
    SliceObject continueRest; // behind 251
    SliceObject stopRest; // behind 252
    VarObject tickCounter;
    BranchObject tickTruncation;

    void init() noexcept;
};

// One drum's sequencer: tick modulus, step counter, length, seed and random draw.
struct DrumUnit {
    BinaryOpObject tickModulus; // remainder by K
    VarObject stepCounter;
    BranchObject stepTruncation;
    BinaryOpObject length; // remainder by L
    VarObject lengthParameter;
    VarObject lengthValue;
    VarObject initialLength;
    BranchObject lengthTruncation;
    VarObject patternParameter;
    VarObject seedValue; // P
    VarObject initialSeed;
    BranchObject seedTruncation;
    SliceObject lengthCommandRest;
    SliceObject seedCommandRest;
    SliceObject seedArgument;
    RandomObject generator; // G

    void init() noexcept;
};

struct GrooveGraph {
    ClockUnit clock;
    DrumUnit drums[kDrumCount];
    StrokeVoice voices[kVoiceCount]; // in render order
    // Per drum, the place in its cycle (step count remainder L) of its latest step; -1 before one.
    int latestCell[kDrumCount] = {-1, -1};
};

// The graph of the patch an outlet function is called for.
GrooveGraph& graphOf(KrellContextInterface* context) noexcept;
