// The render tool's render loop into a file. Main thread, acting as the audio thread.
#include "FileRender.h"

#include "BlockRenderer.h"

namespace {

constexpr uint32_t kSmallestFallbackBlock = 64;

// The MIDI messages the plug-in pushed in the block that started at `blockStart`.
void collectMidi(const OutputEventList& events, uint64_t blockStart, MidiFileWriter& midi)
{
    for (uint32_t i = 0; i < events.size(); ++i) {
        const clap_event_header_t& header = events.at(i);
        if (header.space_id != CLAP_CORE_EVENT_SPACE_ID || header.type != CLAP_EVENT_MIDI ||
            header.size != sizeof(clap_event_midi_t))
            continue;
        midi.add(blockStart + header.time, events.as<clap_event_midi_t>(i).data);
    }
}

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
    const std::function<void(uint64_t position)>& progress, MidiFileWriter* midi)
{
    instance.plugin()->start_processing(instance.plugin());
    BlockRenderer renderer(instance, timeline, blockSize);
    bool written = true;
    const bool rendered =
        renderer.render(frames, [&](const float* left, const float* right, uint32_t count) {
            if (midi != nullptr)
                collectMidi(renderer.lastBlockOutput(), renderer.position() - count, *midi);
            written = writer.write(left, right, count);
            progress(renderer.position());
            return written;
        });
    instance.plugin()->stop_processing(instance.plugin());
    if (!written)
        return FileRenderResult::WriteFailed;
    return rendered ? FileRenderResult::Done : FileRenderResult::ProcessFailed;
}
