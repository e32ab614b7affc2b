// What a host hands to process for one stereo block of up to 256 frames: the output buffers and
// both event lists. Test thread only (it plays the audio thread).
#pragma once

#include "HostEvents.h"
#include "ProcessData.h"

class StereoBlock {
public:
    float left[256] = {};
    float right[256] = {};
    float* channels[2] = {left, right};
    clap_audio_buffer_t buffer{channels, nullptr, 2, 0, 0};
    InputEventList in;
    OutputEventList out;

    StereoBlock() = default;
    // The buffer and the lists point into the object itself.
    StereoBlock(const StereoBlock&) = delete;
    StereoBlock& operator=(const StereoBlock&) = delete;

    // process's argument for `frames` frames over these buffers and lists.
    clap_process_t processData(
        uint32_t frames, const clap_event_transport_t* transport, int64_t steadyTime)
    {
        return ::processData(frames, steadyTime, transport, buffer, in.list(), out.list());
    }
};
