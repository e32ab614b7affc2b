// One LV2 plug-in instance: the plug-in behind a PluginAdapter, its ports, and the work of `run`.
// Instantiation, activation, options and clean-up on the host's main thread; connectPort and run
// on the audio thread, which neither allocates, locks, prints nor waits.
#pragma once

#include "Lv2Ports.h"
#include "Lv2Transport.h"
#include "Lv2Uris.h"
#include "MidiInputBlock.h"
#include "PluginAdapter.h"

#include <lv2/atom/atom.h>
#include <lv2/core/lv2.h>
#include <lv2/options/options.h>

#include <cstdint>
#include <memory>

namespace Orvane {

class PluginLv2 {
public:
    // [main-thread] Null, with one line on standard error, when the host offers no urid:map.
    static PluginLv2* create(
        double sampleRate, const char* bundlePath, const LV2_Feature* const* features);

    PluginLv2(const PluginLv2&) = delete;
    PluginLv2& operator=(const PluginLv2&) = delete;
    ~PluginLv2();

    // [audio-thread] An unknown port is ignored.
    void connectPort(uint32_t port, void* data) noexcept;
    // [main-thread]
    void activate();
    void deactivate();
    // [main-thread] A new sample rate rebuilds the patch; a new block length is passed on.
    uint32_t setOptions(const LV2_Options_Option* options);

    // [audio-thread] Reports of failed checks wait for the main thread's next activation,
    // deactivation or clean-up.
    void run(uint32_t frames) noexcept;

private:
    PluginAdapter fPlugin;
    const Lv2Uris fUris;
    Lv2Transport fTransport;

    const LV2_Atom_Sequence* fEventsIn = nullptr;
    LV2_Atom_Sequence* fEventsOut = nullptr;
    uint32_t fEventsOutCapacity = 0;
    int64_t fLastOutFrame = 0;
    float* fAudioOut[ORVANE_PLUGIN_NUM_OUTPUTS] = {};
    std::unique_ptr<const float*[]> fControls;
    // The control values last read, so that only changes are applied.
    std::unique_ptr<float[]> fLastControls;

    MidiInputBlock fMidi;
    uint32_t fMonitorCount = 0;
    // The monitor values last sent to the editor; all go out again after activation.
    std::unique_ptr<int32_t[]> fLastMonitors;
    bool fMonitorsSent = false;
    // First frame of the piece of the block being rendered: positions inside a block split it.
    uint32_t fPieceStart = 0;

    explicit PluginLv2(const LV2_URID_Map* map);

    void applyControls() noexcept;
    void startOutput() noexcept;
    void readEvent(const LV2_Atom_Event& event, uint32_t frames) noexcept;
    void addMidi(const LV2_Atom& atom, uint32_t frame) noexcept;
    void renderPiece(uint32_t end) noexcept;

    void publishMonitors(uint32_t frames) noexcept;
    bool appendEvent(int64_t frame, LV2_URID type, const void* body, uint32_t size) noexcept;

    static bool writeMidiCallback(void* ptr, const MidiMessage& message) noexcept;
    bool writeMidi(const MidiMessage& message) noexcept;
};

} // namespace Orvane
