// Maps the binding's URIs. Main thread (instantiation).
#include "Lv2Uris.h"

#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/midi/midi.h>
#include <lv2/parameters/parameters.h>
#include <lv2/time/time.h>

namespace Orvane {

Lv2Uris::Lv2Uris(const LV2_URID_Map* map)
{
    if (map == nullptr || map->map == nullptr)
        return;
    const auto urid = [map](const char* uri) { return map->map(map->handle, uri); };
    atomBlank = urid(LV2_ATOM__Blank);
    atomObject = urid(LV2_ATOM__Object);
    atomSequence = urid(LV2_ATOM__Sequence);
    atomFloat = urid(LV2_ATOM__Float);
    atomDouble = urid(LV2_ATOM__Double);
    atomInt = urid(LV2_ATOM__Int);
    atomLong = urid(LV2_ATOM__Long);
    atomFrameTime = urid(LV2_ATOM__frameTime);
    atomEventTransfer = urid(LV2_ATOM__eventTransfer);
    midiEvent = urid(LV2_MIDI__MidiEvent);
    timePosition = urid(LV2_TIME__Position);
    timeSpeed = urid(LV2_TIME__speed);
    timeFrame = urid(LV2_TIME__frame);
    timeBar = urid(LV2_TIME__bar);
    timeBarBeat = urid(LV2_TIME__barBeat);
    timeBeatsPerBar = urid(LV2_TIME__beatsPerBar);
    timeBeatUnit = urid(LV2_TIME__beatUnit);
    timeBeatsPerMinute = urid(LV2_TIME__beatsPerMinute);
    maxBlockLength = urid(LV2_BUF_SIZE__maxBlockLength);
    nominalBlockLength = urid(LV2_BUF_SIZE__nominalBlockLength);
    sampleRate = urid(LV2_PARAMETERS__sampleRate);
    monitor = urid(kLv2MonitorUri);
    monitorIndex = urid(kLv2MonitorIndexUri);
    monitorValue = urid(kLv2MonitorValueUri);
}

} // namespace Orvane
