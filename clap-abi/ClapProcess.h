// CLAP 1.1.1 processing: the audio buffers and the process data of one block, and the status
// that `process` returns.
#pragma once

#include "ClapCore.h"
#include "ClapEvents.h"

extern "C" {

typedef struct clap_audio_buffer {
    float** data32;
    double** data64;
    uint32_t channel_count;
    uint32_t latency;
    uint64_t constant_mask;
} clap_audio_buffer_t;

typedef struct clap_process {
    int64_t steady_time; // -1 when not available
    uint32_t frames_count;
    const clap_event_transport_t* transport; // may be null
    const clap_audio_buffer_t* audio_inputs;
    clap_audio_buffer_t* audio_outputs;
    uint32_t audio_inputs_count;
    uint32_t audio_outputs_count;
    const clap_input_events_t* in_events;
    const clap_output_events_t* out_events;
} clap_process_t;

typedef int32_t clap_process_status;

enum {
    CLAP_PROCESS_ERROR = 0,
    CLAP_PROCESS_CONTINUE = 1,
    CLAP_PROCESS_CONTINUE_IF_NOT_QUIET = 2,
    CLAP_PROCESS_TAIL = 3,
    CLAP_PROCESS_SLEEP = 4,
};

} // extern "C"

CLAP_ABI_ASSERT_LAYOUT(clap_audio_buffer_t, 32, 8);
CLAP_ABI_ASSERT_OFFSET(clap_audio_buffer_t, data32, 0);
CLAP_ABI_ASSERT_OFFSET(clap_audio_buffer_t, data64, 8);
CLAP_ABI_ASSERT_OFFSET(clap_audio_buffer_t, channel_count, 16);
CLAP_ABI_ASSERT_OFFSET(clap_audio_buffer_t, latency, 20);
CLAP_ABI_ASSERT_OFFSET(clap_audio_buffer_t, constant_mask, 24);

CLAP_ABI_ASSERT_LAYOUT(clap_process_t, 64, 8);
CLAP_ABI_ASSERT_OFFSET(clap_process_t, steady_time, 0);
CLAP_ABI_ASSERT_OFFSET(clap_process_t, frames_count, 8);
CLAP_ABI_ASSERT_OFFSET(clap_process_t, transport, 16);
CLAP_ABI_ASSERT_OFFSET(clap_process_t, audio_inputs, 24);
CLAP_ABI_ASSERT_OFFSET(clap_process_t, audio_outputs, 32);
CLAP_ABI_ASSERT_OFFSET(clap_process_t, audio_inputs_count, 40);
CLAP_ABI_ASSERT_OFFSET(clap_process_t, audio_outputs_count, 44);
CLAP_ABI_ASSERT_OFFSET(clap_process_t, in_events, 48);
CLAP_ABI_ASSERT_OFFSET(clap_process_t, out_events, 56);
