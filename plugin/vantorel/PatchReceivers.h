// Receiver hashes of the groove patch that the bridge posts MIDI and transport to, and the MIDI
// real-time status bytes. Constants only; any thread.
#pragma once

#include <cstdint>

namespace Orvane {

// First element: a MIDI real-time status byte.
constexpr uint32_t kRealtimeReceiver = 0x6FFF0BCF;
constexpr uint32_t kTempoReceiver = 0xDF8C2721;
// Every data byte of a forwarded MIDI message, with its channel.
constexpr uint32_t kRawMidiByteReceiver = 0x149631BE;
constexpr uint32_t kNoteReceiver = 0x67E37CA3;
constexpr uint32_t kPolyPressureReceiver = 0xBC530F59;
constexpr uint32_t kControlChangeReceiver = 0x41BE0F9C;
constexpr uint32_t kProgramChangeReceiver = 0x2E1EA03D;
constexpr uint32_t kChannelPressureReceiver = 0x553925BD;
constexpr uint32_t kPitchBendReceiver = 0x3083F0F7;

constexpr uint8_t kMidiClock = 248;
constexpr uint8_t kMidiStart = 250;
constexpr uint8_t kMidiContinue = 251;
constexpr uint8_t kMidiStop = 252;
constexpr uint8_t kMidiReset = 255;

} // namespace Orvane
