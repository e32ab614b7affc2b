// The render tool's render loop into a file. Main thread, acting as the audio thread.
#include "FileRender.h"

#include "BlockRenderer.h"

namespace {

constexpr uint32_t kSmallestFallbackBlock = 64;

} // namespace

uint32_t activateForRender(PluginInstance& instance, uint32_t sampleRate, uint32_t requestedBlock)
{
    if (requestedBlock != 0)
        return instance.activate(sampleRate, 1, requestedBlock) ? requestedBlock : 0;
    for (uint32_t block = kLargestRenderBlock; block >= kSmallestFallbackBlock; block /= 2) {
        if (instance.activate(sampleRate, 1, block))
            return block;
    }
    return 0;
}

FileRenderResult renderToFile(PluginInstance& instance, const TransportTimeline& timeline,
    uint64_t frames, uint32_t blockSize, AudioFileWriter& writer,
    const std::function<void(uint64_t position)>& progress)
{
    instance.plugin()->start_processing(instance.plugin());
    BlockRenderer renderer(instance, timeline, blockSize);
    bool written = true;
    const bool rendered =
        renderer.render(frames, [&](const float* left, const float* right, uint32_t count) {
            written = writer.write(left, right, count);
            progress(renderer.position());
            return written;
        });
    instance.plugin()->stop_processing(instance.plugin());
    if (!written)
        return FileRenderResult::WriteFailed;
    return rendered ? FileRenderResult::Done : FileRenderResult::ProcessFailed;
}
