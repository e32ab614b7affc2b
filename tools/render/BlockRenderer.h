// Plays an activated plug-in instance along a TransportTimeline block by block and hands each
// block's two output channels to a sink: the render loop of the tool, the tests and the
// benchmarks. Runs on the calling thread, which acts as the host's audio thread.
#pragma once

#include "HostEvents.h"
#include "PluginInstance.h"
#include "TransportTimeline.h"

#include <cstdint>
#include <functional>
#include <vector>

class BlockRenderer {
public:
    // `blockSize` frames per block at most; the instance must be activated with at least that.
    BlockRenderer(PluginInstance& instance, const TransportTimeline& timeline, uint32_t blockSize);

    // Events for the next block only (cleared after it).
    InputEventList& nextBlockEvents() noexcept { return fInput; }
    // What the plug-in pushed during the last block.
    const OutputEventList& lastBlockOutput() const noexcept { return fOutput; }

    // Processes one block of `frames` (at most the block size) at the current position; the
    // channels hold the result. CLAP_PROCESS_ERROR when the plug-in failed.
    clap_process_status processBlock(uint32_t frames);
    const float* left() const noexcept { return fLeft.data(); }
    const float* right() const noexcept { return fRight.data(); }
    uint64_t position() const noexcept { return fPosition; }

    // Renders `frames` frames from the current position; the sink gets (left, right, count) per
    // block and returns false to stop. False when the plug-in failed a block or the sink stopped.
    using Sink = std::function<bool(const float* left, const float* right, uint32_t count)>;
    bool render(uint64_t frames, const Sink& sink);

private:
    PluginInstance& fInstance;
    TransportTimeline fTimeline;
    uint32_t fBlockSize;
    uint64_t fPosition = 0;
    std::vector<float> fLeft;
    std::vector<float> fRight;
    float* fChannels[2];
    clap_audio_buffer_t fOutputBuffer{};
    InputEventList fInput;
    OutputEventList fOutput;
};
