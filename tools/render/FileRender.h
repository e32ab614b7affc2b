// Plays a set-up plug-in instance along the transport into an audio file: the render tool's job
// once its options are applied, and what the render benchmark measures. The calling thread acts as
// the host's main and audio thread.
#pragma once

#include "AudioFileWriter.h"
#include "MidiFileWriter.h"
#include "PluginInstance.h"
#include "TransportTimeline.h"

#include <cstdint>
#include <functional>

// The groove is the same at any block size, so offline renders use large blocks by default.
constexpr uint32_t kLargestRenderBlock = 4096;

// Activates the instance for `requestedBlock` frames per block, or, when that is 0, for the
// largest block it accepts from kLargestRenderBlock down to 64. The block size in use, or 0 when
// the plug-in refused.
uint32_t activateForRender(PluginInstance& instance, uint32_t sampleRate, uint32_t requestedBlock);

enum class FileRenderResult {
    Done,
    ProcessFailed,
    WriteFailed,
};

// Renders `frames` frames from bar 1 of an activated instance into the open writer, and its MIDI
// output into `midi` when there is one, stopping at the first failure; `progress` gets the
// position after every block.
FileRenderResult renderToFile(PluginInstance& instance, const TransportTimeline& timeline,
    uint64_t frames, uint32_t blockSize, AudioFileWriter& writer,
    const std::function<void(uint64_t position)>& progress, MidiFileWriter* midi = nullptr);
