// The host transport as LV2 hosts give it: time:Position objects in the event input, sent by some
// hosts in every block and by others only when the transport changes. Between two positions the
// last one is advanced by each block's frames at its speed and tempo. [audio-thread]
#pragma once

#include "Lv2Uris.h"
#include "TransportInfo.h"

#include <lv2/atom/atom.h>

#include <cstdint>

namespace Orvane {

class Lv2Transport {
public:
    // Takes over the keys the object has; the others keep their last values. Anything that is not
    // a time:Position, or a key whose value is no finite number, is ignored.
    void readPosition(const Lv2Uris& uris, const LV2_Atom_Object* object) noexcept;

    // The transport of the frames from here on: playing while the speed is not 0; bar and beat
    // valid once a bar, a beat in the bar and a positive metre have arrived.
    TransportInfo current() const noexcept;

    // Moves the position on by `frames` frames played at the current speed and tempo.
    void advance(uint32_t frames, double sampleRate) noexcept;

private:
    bool fHasPosition = false;
    bool fHasBarBeat = false;
    double fSpeed = 0.0;
    double fFrame = 0.0;
    // time:bar counts from 0; time:barBeat is the beat within it, fraction included.
    double fBar = 0.0;
    double fBarBeat = 0.0;
    double fBeatsPerBar = 4.0;
    double fBeatUnit = 4.0;
    double fBeatsPerMinute = 120.0;
};

} // namespace Orvane
