// The URIs the LV2 binding and its editor read and write, mapped once to URIDs when an instance
// or an editor is made [main-thread]; read-only afterwards, so the audio thread compares against
// them freely.
#pragma once

#include <lv2/urid/urid.h>

namespace Orvane {

// The plug-in's and its editor's identities, as the bundle's descriptions name them.
constexpr char kLv2PluginUri[] = "urn:fellmark-audio:vantorel";
constexpr char kLv2UiUri[] = "urn:fellmark-audio:vantorel#ui";
// The message the DSP sends its editor through the event output when a monitor value (where a
// drum stands in its cycle) changed: an object of this type with an index and a value (atom:Int).
constexpr char kLv2MonitorUri[] = "urn:fellmark-audio:vantorel#Monitor";
constexpr char kLv2MonitorIndexUri[] = "urn:fellmark-audio:vantorel#monitorIndex";
constexpr char kLv2MonitorValueUri[] = "urn:fellmark-audio:vantorel#monitorValue";

struct Lv2Uris {
    LV2_URID atomBlank = 0;
    LV2_URID atomObject = 0;
    LV2_URID atomSequence = 0;
    LV2_URID atomFloat = 0;
    LV2_URID atomDouble = 0;
    LV2_URID atomInt = 0;
    LV2_URID atomLong = 0;
    LV2_URID atomFrameTime = 0;
    LV2_URID atomEventTransfer = 0;
    LV2_URID midiEvent = 0;
    LV2_URID timePosition = 0;
    LV2_URID timeSpeed = 0;
    LV2_URID timeFrame = 0;
    LV2_URID timeBar = 0;
    LV2_URID timeBarBeat = 0;
    LV2_URID timeBeatsPerBar = 0;
    LV2_URID timeBeatUnit = 0;
    LV2_URID timeBeatsPerMinute = 0;
    LV2_URID maxBlockLength = 0;
    LV2_URID nominalBlockLength = 0;
    LV2_URID sampleRate = 0;
    LV2_URID monitor = 0;
    LV2_URID monitorIndex = 0;
    LV2_URID monitorValue = 0;

    // All zero (matching nothing a host sends) without a map.
    explicit Lv2Uris(const LV2_URID_Map* map);
};

} // namespace Orvane
