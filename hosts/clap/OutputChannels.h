// The host's output buffers of one block as the plug-in sees them. [audio-thread]: nothing here
// allocates or waits.
#pragma once

#include "ClapProcess.h"

namespace Orvane {

// The plug-in's output channels, in order, into `channels` (as many as the plug-in has); false
// when the host's buffers do not add up to them, unless `usesCV` (missing channels get none).
bool collectOutputChannels(const clap_process_t& data, bool usesCV, float** channels) noexcept;

// Sets the constant-mask bit of each output channel that is exactly 0.0 all through the block,
// and clears the others.
void markSilentChannels(const clap_process_t& data) noexcept;

} // namespace Orvane
