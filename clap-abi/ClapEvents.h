// CLAP 1.1.1 events: the common header, note, parameter, transport and MIDI events, and the
// host's input and output event lists.
#pragma once

#include "ClapCore.h"

extern "C" {

typedef int64_t clap_beattime;
typedef int64_t clap_sectime;

typedef struct clap_event_header {
    uint32_t size; // whole event, header included
    uint32_t time; // frame offset in the block
    uint16_t space_id;
    uint16_t type;
    uint32_t flags;
} clap_event_header_t;

enum {
    CLAP_EVENT_NOTE_ON = 0,
    CLAP_EVENT_NOTE_OFF = 1,
    CLAP_EVENT_NOTE_CHOKE = 2,
    CLAP_EVENT_NOTE_END = 3,
    CLAP_EVENT_NOTE_EXPRESSION = 4,
    CLAP_EVENT_PARAM_VALUE = 5,
    CLAP_EVENT_PARAM_MOD = 6,
    CLAP_EVENT_PARAM_GESTURE_BEGIN = 7,
    CLAP_EVENT_PARAM_GESTURE_END = 8,
    CLAP_EVENT_TRANSPORT = 9,
    CLAP_EVENT_MIDI = 10,
    CLAP_EVENT_MIDI_SYSEX = 11,
    CLAP_EVENT_MIDI2 = 12,
};

enum {
    CLAP_EVENT_IS_LIVE = 1 << 0,
    CLAP_EVENT_DONT_RECORD = 1 << 1,
};

typedef struct clap_event_note {
    clap_event_header_t header;
    int32_t note_id;
    int16_t port_index;
    int16_t channel;
    int16_t key;
    double velocity; // 0..1
} clap_event_note_t;

typedef struct clap_event_param_value {
    clap_event_header_t header;
    clap_id param_id;
    void* cookie;
    int32_t note_id;
    int16_t port_index;
    int16_t channel;
    int16_t key;
    double value;
} clap_event_param_value_t;

typedef struct clap_event_param_gesture {
    clap_event_header_t header;
    clap_id param_id;
} clap_event_param_gesture_t;

enum {
    CLAP_TRANSPORT_HAS_TEMPO = 1 << 0,
    CLAP_TRANSPORT_HAS_BEATS_TIMELINE = 1 << 1,
    CLAP_TRANSPORT_HAS_SECONDS_TIMELINE = 1 << 2,
    CLAP_TRANSPORT_HAS_TIME_SIGNATURE = 1 << 3,
    CLAP_TRANSPORT_IS_PLAYING = 1 << 4,
    CLAP_TRANSPORT_IS_RECORDING = 1 << 5,
    CLAP_TRANSPORT_IS_LOOP_ACTIVE = 1 << 6,
    CLAP_TRANSPORT_IS_WITHIN_PRE_ROLL = 1 << 7,
};

typedef struct clap_event_transport {
    clap_event_header_t header;
    uint32_t flags;
    clap_beattime song_pos_beats;
    clap_sectime song_pos_seconds;
    double tempo; // beats per minute
    double tempo_inc;
    clap_beattime loop_start_beats;
    clap_beattime loop_end_beats;
    clap_sectime loop_start_seconds;
    clap_sectime loop_end_seconds;
    clap_beattime bar_start;
    int32_t bar_number;
    uint16_t tsig_num;
    uint16_t tsig_denom;
} clap_event_transport_t;

typedef struct clap_event_midi {
    clap_event_header_t header;
    uint16_t port_index;
    uint8_t data[3];
} clap_event_midi_t;

typedef struct clap_input_events {
    void* ctx;
    uint32_t (*size)(const struct clap_input_events* list);
    const clap_event_header_t* (*get)(const struct clap_input_events* list, uint32_t index);
} clap_input_events_t;

typedef struct clap_output_events {
    void* ctx;
    bool (*try_push)(const struct clap_output_events* list, const clap_event_header_t* event);
} clap_output_events_t;

} // extern "C"

constexpr uint16_t CLAP_CORE_EVENT_SPACE_ID = 0;
// Fixed-point positions: 2^31 units per beat and per second.
constexpr clap_beattime CLAP_BEATTIME_FACTOR = int64_t{1} << 31;
constexpr clap_sectime CLAP_SECTIME_FACTOR = int64_t{1} << 31;

CLAP_ABI_ASSERT_LAYOUT(clap_event_header_t, 16, 4);
CLAP_ABI_ASSERT_OFFSET(clap_event_header_t, size, 0);
CLAP_ABI_ASSERT_OFFSET(clap_event_header_t, time, 4);
CLAP_ABI_ASSERT_OFFSET(clap_event_header_t, space_id, 8);
CLAP_ABI_ASSERT_OFFSET(clap_event_header_t, type, 10);
CLAP_ABI_ASSERT_OFFSET(clap_event_header_t, flags, 12);

CLAP_ABI_ASSERT_LAYOUT(clap_event_note_t, 40, 8);
CLAP_ABI_ASSERT_OFFSET(clap_event_note_t, header, 0);
CLAP_ABI_ASSERT_OFFSET(clap_event_note_t, note_id, 16);
CLAP_ABI_ASSERT_OFFSET(clap_event_note_t, port_index, 20);
CLAP_ABI_ASSERT_OFFSET(clap_event_note_t, channel, 22);
CLAP_ABI_ASSERT_OFFSET(clap_event_note_t, key, 24);
CLAP_ABI_ASSERT_OFFSET(clap_event_note_t, velocity, 32);

CLAP_ABI_ASSERT_LAYOUT(clap_event_param_value_t, 56, 8);
CLAP_ABI_ASSERT_OFFSET(clap_event_param_value_t, header, 0);
CLAP_ABI_ASSERT_OFFSET(clap_event_param_value_t, param_id, 16);
CLAP_ABI_ASSERT_OFFSET(clap_event_param_value_t, cookie, 24);
CLAP_ABI_ASSERT_OFFSET(clap_event_param_value_t, note_id, 32);
CLAP_ABI_ASSERT_OFFSET(clap_event_param_value_t, port_index, 36);
CLAP_ABI_ASSERT_OFFSET(clap_event_param_value_t, channel, 38);
CLAP_ABI_ASSERT_OFFSET(clap_event_param_value_t, key, 40);
CLAP_ABI_ASSERT_OFFSET(clap_event_param_value_t, value, 48);

CLAP_ABI_ASSERT_LAYOUT(clap_event_param_gesture_t, 20, 4);
CLAP_ABI_ASSERT_OFFSET(clap_event_param_gesture_t, header, 0);
CLAP_ABI_ASSERT_OFFSET(clap_event_param_gesture_t, param_id, 16);

CLAP_ABI_ASSERT_LAYOUT(clap_event_transport_t, 104, 8);
CLAP_ABI_ASSERT_OFFSET(clap_event_transport_t, header, 0);
CLAP_ABI_ASSERT_OFFSET(clap_event_transport_t, flags, 16);
CLAP_ABI_ASSERT_OFFSET(clap_event_transport_t, song_pos_beats, 24);
CLAP_ABI_ASSERT_OFFSET(clap_event_transport_t, song_pos_seconds, 32);
CLAP_ABI_ASSERT_OFFSET(clap_event_transport_t, tempo, 40);
CLAP_ABI_ASSERT_OFFSET(clap_event_transport_t, tempo_inc, 48);
CLAP_ABI_ASSERT_OFFSET(clap_event_transport_t, loop_start_beats, 56);
CLAP_ABI_ASSERT_OFFSET(clap_event_transport_t, loop_end_beats, 64);
CLAP_ABI_ASSERT_OFFSET(clap_event_transport_t, loop_start_seconds, 72);
CLAP_ABI_ASSERT_OFFSET(clap_event_transport_t, loop_end_seconds, 80);
CLAP_ABI_ASSERT_OFFSET(clap_event_transport_t, bar_start, 88);
CLAP_ABI_ASSERT_OFFSET(clap_event_transport_t, bar_number, 96);
CLAP_ABI_ASSERT_OFFSET(clap_event_transport_t, tsig_num, 100);
CLAP_ABI_ASSERT_OFFSET(clap_event_transport_t, tsig_denom, 102);

CLAP_ABI_ASSERT_LAYOUT(clap_event_midi_t, 24, 4);
CLAP_ABI_ASSERT_OFFSET(clap_event_midi_t, header, 0);
CLAP_ABI_ASSERT_OFFSET(clap_event_midi_t, port_index, 16);
CLAP_ABI_ASSERT_OFFSET(clap_event_midi_t, data, 18);

CLAP_ABI_ASSERT_LAYOUT(clap_input_events_t, 24, 8);
CLAP_ABI_ASSERT_OFFSET(clap_input_events_t, ctx, 0);
CLAP_ABI_ASSERT_OFFSET(clap_input_events_t, size, 8);
CLAP_ABI_ASSERT_OFFSET(clap_input_events_t, get, 16);

CLAP_ABI_ASSERT_LAYOUT(clap_output_events_t, 16, 8);
CLAP_ABI_ASSERT_OFFSET(clap_output_events_t, ctx, 0);
CLAP_ABI_ASSERT_OFFSET(clap_output_events_t, try_push, 8);
