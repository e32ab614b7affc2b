// The host's render loop: transport, events and buffers of each block. Calling thread acts as
// the audio thread.
#include "BlockRenderer.h"

#include "ProcessData.h"

#include <algorithm>

BlockRenderer::BlockRenderer(
    PluginInstance& instance, const TransportTimeline& timeline, uint32_t blockSize)
    : fInstance(instance), fTimeline(timeline), fBlockSize(blockSize), fLeft(blockSize),
      fRight(blockSize)
{
    fChannels[0] = fLeft.data();
    fChannels[1] = fRight.data();
    fOutputBuffer.data32 = fChannels;
    fOutputBuffer.channel_count = 2;
    fOutput.reserve(64 * 1024, 1024);
}

clap_process_status BlockRenderer::processBlock(uint32_t frames)
{
    frames = std::min(frames, fBlockSize);
    const clap_event_transport_t transport = fTimeline.at(fPosition);
    const clap_process_t data = processData(frames, static_cast<int64_t>(fPosition), &transport,
        fOutputBuffer, fInput.list(), fOutput.list());

    fOutput.clear();
    const clap_process_status status = fInstance.plugin()->process(fInstance.plugin(), &data);
    fInput.clear();
    fPosition += frames;
    return status;
}

bool BlockRenderer::render(uint64_t frames, const Sink& sink)
{
    while (frames > 0) {
        const uint32_t count = static_cast<uint32_t>(std::min<uint64_t>(frames, fBlockSize));
        if (processBlock(count) == CLAP_PROCESS_ERROR)
            return false;
        if (!sink(fLeft.data(), fRight.data(), count))
            return false;
        frames -= count;
    }
    return true;
}
