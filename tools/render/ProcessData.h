// The argument of a plug-in's process call as this host builds it: one output bus, no inputs, the
// block's transport and event lists. Host side; used by the render loop, the tests and the
// benchmarks, which all play the host's audio thread.
#pragma once

#include "ClapProcess.h"

#include <cstdint>

// `transport`, `in` and `out` may be null (a host without transport, or one that gives no event
// list); the pointers must stay valid through the call.
inline clap_process_t processData(uint32_t frames, int64_t steadyTime,
    const clap_event_transport_t* transport, clap_audio_buffer_t& outputs,
    const clap_input_events_t* in, const clap_output_events_t* out) noexcept
{
    clap_process_t data{};
    data.steady_time = steadyTime;
    data.frames_count = frames;
    data.transport = transport;
    data.audio_outputs = &outputs;
    data.audio_outputs_count = 1;
    data.in_events = in;
    data.out_events = out;
    return data;
}
