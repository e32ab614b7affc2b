// CLAP 1.1.1 "clap.audio-ports": audio port descriptions and the plug-in's port functions.
#pragma once

#include "ClapCore.h"
#include "ClapPlugin.h"

extern "C" {

typedef struct clap_audio_port_info {
    clap_id id;
    char name[256];
    uint32_t flags;
    uint32_t channel_count;
    const char* port_type; // may be null
    clap_id in_place_pair;
} clap_audio_port_info_t;

typedef struct clap_plugin_audio_ports {
    uint32_t (*count)(const clap_plugin_t* plugin, bool is_input);
    bool (*get)(
        const clap_plugin_t* plugin, uint32_t index, bool is_input, clap_audio_port_info_t* info);
} clap_plugin_audio_ports_t;

} // extern "C"

inline constexpr char CLAP_EXT_AUDIO_PORTS[] = "clap.audio-ports";
inline constexpr char CLAP_PORT_MONO[] = "mono";
inline constexpr char CLAP_PORT_STEREO[] = "stereo";

constexpr uint32_t CLAP_AUDIO_PORT_IS_MAIN = 1 << 0;
constexpr uint32_t CLAP_AUDIO_PORT_SUPPORTS_64BITS = 1 << 1;
constexpr uint32_t CLAP_AUDIO_PORT_PREFERS_64BITS = 1 << 2;
constexpr uint32_t CLAP_AUDIO_PORT_REQUIRES_COMMON_SAMPLE_SIZE = 1 << 3;

CLAP_ABI_ASSERT_LAYOUT(clap_audio_port_info_t, 288, 8);
CLAP_ABI_ASSERT_OFFSET(clap_audio_port_info_t, id, 0);
CLAP_ABI_ASSERT_OFFSET(clap_audio_port_info_t, name, 4);
CLAP_ABI_ASSERT_OFFSET(clap_audio_port_info_t, flags, 260);
CLAP_ABI_ASSERT_OFFSET(clap_audio_port_info_t, channel_count, 264);
CLAP_ABI_ASSERT_OFFSET(clap_audio_port_info_t, port_type, 272);
CLAP_ABI_ASSERT_OFFSET(clap_audio_port_info_t, in_place_pair, 280);

CLAP_ABI_ASSERT_LAYOUT(clap_plugin_audio_ports_t, 16, 8);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_audio_ports_t, count, 0);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_audio_ports_t, get, 8);
