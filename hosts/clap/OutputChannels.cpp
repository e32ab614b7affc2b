// The host's output buffers of one block: the plug-in's channels found in them, and the
// constant-mask bits of the silent ones. Audio thread; nothing here allocates or waits.
#include "OutputChannels.h"

#include "AudioAssertions.h"
#include "OrvanePluginInfo.h"

#include <algorithm>

namespace Orvane {

namespace {
constexpr uint32_t kOutputChannels = ORVANE_PLUGIN_NUM_OUTPUTS;
}

bool collectOutputChannels(const clap_process_t& data, bool usesCV, float** channels) noexcept
{
    uint32_t out = 0;
    for (uint32_t i = 0; i < data.audio_outputs_count && data.audio_outputs != nullptr; ++i) {
        const clap_audio_buffer_t& outputs = data.audio_outputs[i];
        if (!ORVANE_AUDIO_CHECK(outputs.channel_count != 0))
            continue;
        for (uint32_t channel = 0; channel < outputs.channel_count; ++channel, ++out) {
            if (out < kOutputChannels)
                channels[out] = outputs.data32 != nullptr ? outputs.data32[channel] : nullptr;
        }
    }
    if (usesCV)
        return true;
    if (!ORVANE_AUDIO_CHECK_UINT2(out == ORVANE_PLUGIN_NUM_OUTPUTS, out, ORVANE_PLUGIN_NUM_OUTPUTS))
        return false;
    // A host that names the channels but gives no memory for them gets an error, not a crash.
    return std::all_of(
        channels, channels + kOutputChannels, [](float* channel) { return channel != nullptr; });
}

// A host may have left the mask set from another plug-in: every bit is written, and a set bit
// lets it skip work on a channel that is silent throughout the block.
void markSilentChannels(const clap_process_t& data) noexcept
{
    for (uint32_t i = 0; i < data.audio_outputs_count && data.audio_outputs != nullptr; ++i) {
        clap_audio_buffer_t& buffer = data.audio_outputs[i];
        uint64_t mask = 0;
        const uint32_t maskedChannels = std::min<uint32_t>(buffer.channel_count, 64);
        for (uint32_t channel = 0; channel < maskedChannels && buffer.data32 != nullptr;
             ++channel) {
            const float* const samples = buffer.data32[channel];
            if (samples != nullptr &&
                std::all_of(samples, samples + data.frames_count,
                    [](float sample) { return sample == 0.0f; }))
                mask |= uint64_t{1} << channel;
        }
        buffer.constant_mask = mask;
    }
}

} // namespace Orvane
