// The twelve stroke tables and what each drum plays: table names, the voice order the block loop
// renders in, and per drum the draw multiplier and the stroke each draw triggers with the strokes
// it cuts off. Constant data. [any-thread]
#pragma once

#include <cstdint>

#include "runtime/Message.h"

// Tables in the order they are filled (and in which the embedded recordings are listed).
enum StrokeTableId : int {
    kDayan1Table,
    kDayan2Table,
    kDayan3Table,
    kDayan4Table,
    kDayan5Table,
    kBaya1Table,
    kBaya2Table,
    kBaya3Table,
    kBaya4Table,
    kBaya5Table,
    kBaya6Table,
    kBaya7Table,
    kStrokeTableCount
};

struct StrokeTableName {
    const char* name;
    uint32_t hash;
};

constexpr StrokeTableName kStrokeTableNames[kStrokeTableCount] = {
    {"dayan1", hashString("dayan1")},
    {"dayan2", hashString("dayan2")},
    {"dayan3", hashString("dayan3")},
    {"dayan4", hashString("dayan4")},
    {"dayan5", hashString("dayan5")},
    {"baya1", hashString("baya1")},
    {"baya2", hashString("baya2")},
    {"baya3", hashString("baya3")},
    {"baya4", hashString("baya4")},
    {"baya5", hashString("baya5")},
    {"baya6", hashString("baya6")},
    {"baya7", hashString("baya7")},
};

// Voices in the order the block loop renders them; the mix reads their slots in this layout.
enum VoiceId : int {
    kDayan1,
    kDayan3,
    kDayan5,
    kDayan2,
    kDayan4,
    kBaya1,
    kBaya2,
    kBaya3,
    kBaya4,
    kBaya5,
    kBaya6,
    kBaya7,
    kVoiceCount
};

enum DrumId : int {
    kDayan = 0,
    kBaya = 1,
    kDrumCount = 2
};

// The drum whose Tune sets each voice's playback rate.
constexpr DrumId kVoiceDrum[kVoiceCount] = {
    kDayan, kDayan, kDayan, kDayan, kDayan, kBaya, kBaya, kBaya, kBaya, kBaya, kBaya, kBaya};

constexpr StrokeTableId kVoiceTable[kVoiceCount] = {
    kDayan1Table,
    kDayan3Table,
    kDayan5Table,
    kDayan2Table,
    kDayan4Table,
    kBaya1Table,
    kBaya2Table,
    kBaya3Table,
    kBaya4Table,
    kBaya5Table,
    kBaya6Table,
    kBaya7Table,
};

// One outcome of a draw: the voice to trigger (kRest: none) and the voices it then stops, in order.
constexpr int kRest = -1;
constexpr int kMaxCutOffs = 5;
struct StrokeEntry {
    int trigger;
    int cutOffCount;
    int cutOffs[kMaxCutOffs];
};

// The draw switch matches 0..7; larger draws (the Baya's 8 and 9) are rests as well.
constexpr int kStrokeEntryCount = 8;
struct DrumRecord {
    float drawMultiplier;
    StrokeEntry strokes[kStrokeEntryCount];
};

constexpr DrumRecord kDrumRecords[kDrumCount] = {
    {8.0f,
        {
            {kDayan1, 0, {}},
            {kDayan2, 1, {kDayan3}},
            {kDayan3, 0, {}},
            {kDayan4, 1, {kDayan5}},
            {kDayan5, 3, {kDayan3, kDayan4, kDayan1}},
            {kRest, 0, {}},
            {kRest, 0, {}},
            {kRest, 0, {}},
        }},
    {10.0f,
        {
            {kBaya1, 5, {kBaya6, kBaya7, kBaya5, kBaya3, kBaya2}},
            {kBaya2, 5, {kBaya6, kBaya1, kBaya7, kBaya5, kBaya3}},
            {kBaya3, 3, {kBaya6, kBaya7, kBaya5}},
            {kRest, 0, {}},
            {kBaya5, 2, {kBaya6, kBaya7}},
            {kBaya6, 2, {kBaya7, kBaya5}},
            {kBaya7, 2, {kBaya6, kBaya5}},
            {kRest, 0, {}},
        }},
};
