// What a host hands to process for one stereo block of up to 256 frames: the output buffers and
// both event lists. Test thread only (it plays the audio thread).
#pragma once

#include "ClapProcess.h"
#include "HostEvents.h"

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
        clap_process_t data{};
        data.steady_time = steadyTime;
        data.frames_count = frames;
        data.transport = transport;
        data.audio_outputs = &buffer;
        data.audio_outputs_count = 1;
        data.in_events = in.list();
        data.out_events = out.list();
        return data;
    }
};
