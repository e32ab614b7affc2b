// What a host of the groove patch relies on, written once: the hashes of the receivers it posts
// to, the MIDI real-time status bytes ParamRealtimeIn reads, and the eight parameters with their
// ranges and defaults. Constants only. [any-thread]
#pragma once

#include "runtime/KrellContextInterface.h"
#include "runtime/Message.h"

#include <cstdint>

// The parameter receivers, found by the hash of their names.
constexpr uint32_t kBayaLengthReceiver = hashString("Baya_Length");
constexpr uint32_t kBayaPatternReceiver = hashString("Baya_Pattern");
constexpr uint32_t kBayaTempoReceiver = hashString("Baya_Tempo");
constexpr uint32_t kDayanLengthReceiver = hashString("Dayan_Length");
constexpr uint32_t kDayanPatternReceiver = hashString("Dayan_Pattern");
constexpr uint32_t kDayanTempoReceiver = hashString("Dayan_Tempo");
// Tune in semitones, -12 to +12, default 0: each drum's playback rate.
constexpr uint32_t kDayanTuneReceiver = hashString("Dayan_Tune");
constexpr uint32_t kBayaTuneReceiver = hashString("Baya_Tune");

// Receivers known only by their hashes: the names are labels, not the texts the hashes come from.
// ParamRealtimeIn: element 0 is a MIDI real-time status byte.
constexpr uint32_t kRealtimeReceiver = 0x6FFF0BCF;
constexpr uint32_t kInitReceiver = 0xCE5CC65B;
constexpr uint32_t kTickBus = 0xA9CCB089;
constexpr uint32_t kDayanLengthBus = 0xA7F0CDEB;
constexpr uint32_t kBayaLengthBus = 0xE557C71C;
constexpr uint32_t kDayanSeedBus = 0x3DBE0D28;
constexpr uint32_t kBayaSeedBus = 0xE52D5E97;

// What a host also offers: the tempo and every forwarded MIDI message. The groove has no
// receivers for them and drops them.
constexpr uint32_t kTempoReceiver = 0xDF8C2721;
// Every data byte of a forwarded MIDI message, with its channel.
constexpr uint32_t kRawMidiByteReceiver = 0x149631BE;
constexpr uint32_t kNoteReceiver = 0x67E37CA3;
constexpr uint32_t kPolyPressureReceiver = 0xBC530F59;
constexpr uint32_t kControlChangeReceiver = 0x41BE0F9C;
constexpr uint32_t kProgramChangeReceiver = 0x2E1EA03D;
constexpr uint32_t kChannelPressureReceiver = 0x553925BD;
constexpr uint32_t kPitchBendReceiver = 0x3083F0F7;

// MIDI real-time status bytes: 248 advances the groove by a tick, 252 resets the tick count; the
// patch ignores the others.
constexpr uint8_t kMidiClock = 248;
constexpr uint8_t kMidiStart = 250;
constexpr uint8_t kMidiContinue = 251;
constexpr uint8_t kMidiStop = 252;
constexpr uint8_t kMidiReset = 255;

// The parameters in the host's index order: alphabetical, Baya before Dayan, then the two Tunes,
// which came later.
constexpr int kPatchParameterCount = 8;
constexpr PatchParameterInfo kPatchParameters[kPatchParameterCount] = {
    {"Baya_Length", kBayaLengthReceiver, 0, 4.0f, 16.0f, 4.0f},
    {"Baya_Pattern", kBayaPatternReceiver, 0, 1.0f, 1337.0f, 1.0f},
    {"Baya_Tempo", kBayaTempoReceiver, 0, 0.0f, 4.0f, 2.0f},
    {"Dayan_Length", kDayanLengthReceiver, 0, 4.0f, 16.0f, 4.0f},
    {"Dayan_Pattern", kDayanPatternReceiver, 0, 1.0f, 1337.0f, 1.0f},
    {"Dayan_Tempo", kDayanTempoReceiver, 0, 0.0f, 4.0f, 2.0f},
    {"Dayan_Tune", kDayanTuneReceiver, 0, -12.0f, 12.0f, 0.0f},
    {"Baya_Tune", kBayaTuneReceiver, 0, -12.0f, 12.0f, 0.0f},
};
