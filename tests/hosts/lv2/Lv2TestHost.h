// A small LV2 host on lilv for the tests: discovers the built bundle through LV2_PATH, offers
// urid:map and the block length options, instantiates the plug-in, and runs it block by block
// with time:Position objects, MIDI and control values, keeping what it wrote to its outputs.
// Test thread only (it plays the host's main and audio threads).
#pragma once

#include <lilv/lilv.h>
#include <lv2/atom/atom.h>
#include <lv2/atom/forge.h>
#include <lv2/options/options.h>
#include <lv2/urid/urid.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// URIs to URIDs and back, in one process-wide table shared by every test host and editor. Mapping
// a URI already known does not allocate.
class UridTable {
public:
    LV2_URID map(const char* uri);
    const char* unmap(LV2_URID urid) const;
    LV2_URID_Map* mapFeature() { return &fMap; }
    LV2_URID_Unmap* unmapFeature() { return &fUnmap; }

    static UridTable& instance();

private:
    UridTable();
    std::map<std::string, LV2_URID, std::less<>> fIds;
    std::vector<std::string> fUris;
    LV2_URID_Map fMap;
    LV2_URID_Unmap fUnmap;
};

// One position of the host transport, as hosts send it.
struct HostPosition {
    float speed = 1.0f;
    int64_t frame = 0;
    int64_t bar = 0;
    float barBeat = 0.0f;
    float beatsPerBar = 4.0f;
    int32_t beatUnit = 4;
    float beatsPerMinute = 120.0f;
};

class Lv2TestHost {
public:
    // Loads the installed LV2 core bundle and every bundle on LV2_PATH (the tests point it at
    // the build tree).
    Lv2TestHost();
    ~Lv2TestHost();
    Lv2TestHost(const Lv2TestHost&) = delete;
    Lv2TestHost& operator=(const Lv2TestHost&) = delete;

    LilvWorld* world() const { return fWorld; }
    // The plug-in of the bundle, or null when it was not found.
    const LilvPlugin* plugin() const { return fPlugin; }

    // Instantiates (with urid:map, and the block length options unless `withOptions` is false),
    // connects every port and activates. False when the plug-in refused.
    bool start(double sampleRate, uint32_t maxBlock, bool withOptions = true);
    // Deactivates and frees the instance, if any.
    void stop();

    // The next block's input: a position, MIDI bytes, at frames within the block.
    void addPosition(uint32_t frame, const HostPosition& position);
    void addMidi(uint32_t frame, const uint8_t* bytes, uint32_t size);
    // Sets a control input port by symbol (looked up, which allocates) or by index; false for an
    // unknown one.
    bool setControl(const char* symbol, float value);
    bool setControl(uint32_t port, float value);

    // Runs one block; the input events are gone afterwards. Adding input and running allocate
    // nothing.
    void run(uint32_t frames);
    const float* left() const { return fAudio[0].data(); }
    const float* right() const { return fAudio[1].data(); }
    // The MIDI messages of the last block, each with its frame.
    struct MidiOut {
        int64_t frame;
        std::vector<uint8_t> bytes;
    };
    std::vector<MidiOut> lastMidiOutput() const;
    // The monitor messages of the last block (objects for the editor), each with its frame.
    struct MonitorOut {
        int64_t frame;
        int32_t index;
        int32_t value;
    };
    std::vector<MonitorOut> lastMonitorOutput() const;
    // Capacity in bytes the host gives the event output (from the next block on).
    void setEventOutputCapacity(uint32_t bytes) { fOutCapacity = bytes; }

    LilvInstance* instance() const { return fInstance; }
    uint32_t portIndex(const char* symbol) const;

private:
    LilvWorld* fWorld = nullptr;
    const LilvPlugin* fPlugin = nullptr;
    LilvInstance* fInstance = nullptr;
    int32_t fBlockLength = 0;
    std::vector<LV2_Options_Option> fOptions;
    LV2_Feature fMapFeature{};
    LV2_Feature fOptionsFeature{};
    std::vector<const LV2_Feature*> fFeatures;

    std::vector<uint64_t> fInput; // 8-byte units keep the sequence aligned
    std::vector<uint64_t> fOutput;
    uint32_t fOutCapacity = 8192;
    // The URIDs of what the host writes, mapped once.
    struct {
        LV2_URID position, frame, speed, bar, barBeat, beatsPerBar, beatUnit, beatsPerMinute;
        LV2_URID midiEvent, chunk, object, atomInt, monitor, monitorIndex, monitorValue;
    } fUrids{};
    LV2_Atom_Forge fForge{};
    LV2_Atom_Forge_Frame fSequenceFrame{};
    std::vector<float> fAudio[2];
    std::vector<float> fControls;
    std::vector<float> fUnused;

    void startInput();
};
