// The program's own declarations of the JACK client interface it loads at run time: types,
// constants and callback signatures with JACK's names and layouts (the program does not link or
// include the JACK library). Only the binding and the JACK client include this header.
#pragma once

#include <pthread.h>

#include <cstddef>
#include <cstdint>

namespace Orvane {

struct jack_client_t;
struct jack_port_t;

using jack_nframes_t = uint32_t;
using jack_time_t = uint64_t;
using jack_uuid_t = uint64_t;
using jack_unique_t = uint64_t;
using jack_port_id_t = uint32_t;
using jack_midi_data_t = unsigned char;
using jack_options_t = int;
using jack_status_t = int;
using jack_latency_callback_mode_t = int;
using jack_property_change_t = int;
using jack_native_thread_t = pthread_t;

enum jack_transport_state_t : int {
    JackTransportStopped = 0,
    JackTransportRolling = 1,
    JackTransportLooping = 2,
    JackTransportStarting = 3,
};

constexpr jack_options_t JackNoStartServer = 0x01;
constexpr jack_status_t JackFailure = 0x01;
constexpr jack_status_t JackServerError = 0x20;

constexpr unsigned long JackPortIsInput = 0x01;
constexpr unsigned long JackPortIsOutput = 0x02;
constexpr unsigned long JackPortIsControlVoltage = 0x20;

constexpr uint32_t JackPositionBBT = 0x10;
constexpr uint32_t JackTickDouble = 0x200;

constexpr const char* kJackAudioType = "32 bit float mono audio";
constexpr const char* kJackMidiType = "8 bit raw midi";

constexpr const char* kJackMetadataPrettyName = "http://jackaudio.org/metadata/pretty-name";
constexpr const char* kJackMetadataOrder = "http://jackaudio.org/metadata/order";
constexpr const char* kJackMetadataPortGroup = "http://jackaudio.org/metadata/port-group";
constexpr const char* kJackMetadataSignalType = "http://jackaudio.org/metadata/signal-type";

// The position is written by the server and read as a whole; its layout is packed.
struct __attribute__((__packed__)) jack_position_t {
    jack_unique_t unique_1;
    jack_time_t usecs;
    jack_nframes_t frame_rate;
    jack_nframes_t frame;
    uint32_t valid;
    int32_t bar;
    int32_t beat;
    int32_t tick;
    double bar_start_tick;
    float beats_per_bar;
    float beat_type;
    double ticks_per_beat;
    double beats_per_minute;
    double frame_time;
    double next_time;
    jack_nframes_t bbt_offset;
    float audio_frames_per_video_frame;
    jack_nframes_t video_offset;
    double tick_double;
    int32_t padding[5];
    jack_unique_t unique_2;
};

struct jack_midi_event_t {
    jack_nframes_t time;
    size_t size;
    jack_midi_data_t* buffer;
};

struct __attribute__((__packed__)) jack_latency_range_t {
    jack_nframes_t min;
    jack_nframes_t max;
};

struct jack_property_t {
    const char* key;
    const char* data;
    const char* type;
};

struct jack_description_t {
    jack_uuid_t subject;
    uint32_t property_cnt;
    jack_property_t* properties;
    uint32_t property_size;
};

using JackProcessCallback = int (*)(jack_nframes_t nframes, void* arg);
using JackThreadCallback = void* (*)(void* arg);
using JackThreadInitCallback = void (*)(void* arg);
using JackGraphOrderCallback = int (*)(void* arg);
using JackXRunCallback = int (*)(void* arg);
using JackBufferSizeCallback = int (*)(jack_nframes_t nframes, void* arg);
using JackSampleRateCallback = int (*)(jack_nframes_t nframes, void* arg);
using JackPortRegistrationCallback = void (*)(jack_port_id_t port, int registered, void* arg);
using JackClientRegistrationCallback = void (*)(const char* name, int registered, void* arg);
using JackPortConnectCallback = void (*)(
    jack_port_id_t a, jack_port_id_t b, int connect, void* arg);
using JackPortRenameCallback = void (*)(
    jack_port_id_t port, const char* oldName, const char* newName, void* arg);
using JackFreewheelCallback = void (*)(int starting, void* arg);
using JackShutdownCallback = void (*)(void* arg);
using JackInfoShutdownCallback = void (*)(jack_status_t code, const char* reason, void* arg);
using JackLatencyCallback = void (*)(jack_latency_callback_mode_t mode, void* arg);
using JackSyncCallback = int (*)(jack_transport_state_t state, jack_position_t* pos, void* arg);
using JackTimebaseCallback = void (*)(jack_transport_state_t state, jack_nframes_t nframes,
    jack_position_t* pos, int newPos, void* arg);
using JackPropertyChangeCallback = void (*)(
    jack_uuid_t subject, const char* key, jack_property_change_t change, void* arg);

} // namespace Orvane
