// CLAP 1.1.1 "clap.note-ports": note port descriptions, dialects and the plug-in's port functions.
#pragma once

#include "ClapCore.h"
#include "ClapPlugin.h"

extern "C" {

typedef struct clap_note_port_info {
    clap_id id;
    uint32_t supported_dialects;
    uint32_t preferred_dialect;
    char name[256];
} clap_note_port_info_t;

typedef struct clap_plugin_note_ports {
    uint32_t (*count)(const clap_plugin_t* plugin, bool is_input);
    bool (*get)(
        const clap_plugin_t* plugin, uint32_t index, bool is_input, clap_note_port_info_t* info);
} clap_plugin_note_ports_t;

} // extern "C"

inline constexpr char CLAP_EXT_NOTE_PORTS[] = "clap.note-ports";

constexpr uint32_t CLAP_NOTE_DIALECT_CLAP = 1 << 0;
constexpr uint32_t CLAP_NOTE_DIALECT_MIDI = 1 << 1;
constexpr uint32_t CLAP_NOTE_DIALECT_MIDI_MPE = 1 << 2;
constexpr uint32_t CLAP_NOTE_DIALECT_MIDI2 = 1 << 3;

CLAP_ABI_ASSERT_LAYOUT(clap_note_port_info_t, 268, 4);
CLAP_ABI_ASSERT_OFFSET(clap_note_port_info_t, id, 0);
CLAP_ABI_ASSERT_OFFSET(clap_note_port_info_t, supported_dialects, 4);
CLAP_ABI_ASSERT_OFFSET(clap_note_port_info_t, preferred_dialect, 8);
CLAP_ABI_ASSERT_OFFSET(clap_note_port_info_t, name, 12);

CLAP_ABI_ASSERT_LAYOUT(clap_plugin_note_ports_t, 16, 8);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_note_ports_t, count, 0);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_note_ports_t, get, 8);
