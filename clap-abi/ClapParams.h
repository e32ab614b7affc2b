// CLAP 1.1.1 "clap.params": parameter descriptions, the plug-in's parameter functions and the
// host's rescan and flush requests.
#pragma once

#include "ClapCore.h"
#include "ClapEvents.h"
#include "ClapPlugin.h"

extern "C" {

typedef uint32_t clap_param_info_flags;

typedef struct clap_param_info {
    clap_id id;
    clap_param_info_flags flags;
    void* cookie;
    char name[256];
    char module[1024];
    double min_value;
    double max_value;
    double default_value;
} clap_param_info_t;

typedef struct clap_plugin_params {
    uint32_t (*count)(const clap_plugin_t* plugin);
    bool (*get_info)(
        const clap_plugin_t* plugin, uint32_t param_index, clap_param_info_t* param_info);
    bool (*get_value)(const clap_plugin_t* plugin, clap_id param_id, double* value);
    bool (*value_to_text)(
        const clap_plugin_t* plugin, clap_id param_id, double value, char* display, uint32_t size);
    bool (*text_to_value)(
        const clap_plugin_t* plugin, clap_id param_id, const char* display, double* value);
    void (*flush)(const clap_plugin_t* plugin, const clap_input_events_t* in,
        const clap_output_events_t* out);
} clap_plugin_params_t;

typedef uint32_t clap_param_rescan_flags;
typedef uint32_t clap_param_clear_flags;

typedef struct clap_host_params {
    void (*rescan)(const clap_host_t* host, clap_param_rescan_flags flags);
    void (*clear)(const clap_host_t* host, clap_id param_id, clap_param_clear_flags flags);
    void (*request_flush)(const clap_host_t* host);
} clap_host_params_t;

} // extern "C"

inline constexpr char CLAP_EXT_PARAMS[] = "clap.params";

constexpr clap_param_info_flags CLAP_PARAM_IS_STEPPED = 1 << 0;
constexpr clap_param_info_flags CLAP_PARAM_IS_PERIODIC = 1 << 1;
constexpr clap_param_info_flags CLAP_PARAM_IS_HIDDEN = 1 << 2;
constexpr clap_param_info_flags CLAP_PARAM_IS_READONLY = 1 << 3;
constexpr clap_param_info_flags CLAP_PARAM_IS_BYPASS = 1 << 4;
constexpr clap_param_info_flags CLAP_PARAM_IS_AUTOMATABLE = 1 << 5;
constexpr clap_param_info_flags CLAP_PARAM_REQUIRES_PROCESS = 1 << 15;

constexpr clap_param_rescan_flags CLAP_PARAM_RESCAN_VALUES = 1 << 0;
constexpr clap_param_rescan_flags CLAP_PARAM_RESCAN_TEXT = 1 << 1;
constexpr clap_param_rescan_flags CLAP_PARAM_RESCAN_INFO = 1 << 2;
constexpr clap_param_rescan_flags CLAP_PARAM_RESCAN_ALL = 1 << 3;

CLAP_ABI_ASSERT_LAYOUT(clap_param_info_t, 1320, 8);
CLAP_ABI_ASSERT_OFFSET(clap_param_info_t, id, 0);
CLAP_ABI_ASSERT_OFFSET(clap_param_info_t, flags, 4);
CLAP_ABI_ASSERT_OFFSET(clap_param_info_t, cookie, 8);
CLAP_ABI_ASSERT_OFFSET(clap_param_info_t, name, 16);
CLAP_ABI_ASSERT_OFFSET(clap_param_info_t, module, 272);
CLAP_ABI_ASSERT_OFFSET(clap_param_info_t, min_value, 1296);
CLAP_ABI_ASSERT_OFFSET(clap_param_info_t, max_value, 1304);
CLAP_ABI_ASSERT_OFFSET(clap_param_info_t, default_value, 1312);
static_assert(sizeof(clap_param_info_t::name) == CLAP_NAME_SIZE, "parameter name size");
static_assert(sizeof(clap_param_info_t::module) == CLAP_PATH_SIZE, "parameter module size");

CLAP_ABI_ASSERT_LAYOUT(clap_plugin_params_t, 48, 8);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_params_t, count, 0);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_params_t, get_info, 8);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_params_t, get_value, 16);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_params_t, value_to_text, 24);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_params_t, text_to_value, 32);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_params_t, flush, 40);

CLAP_ABI_ASSERT_LAYOUT(clap_host_params_t, 24, 8);
CLAP_ABI_ASSERT_OFFSET(clap_host_params_t, rescan, 0);
CLAP_ABI_ASSERT_OFFSET(clap_host_params_t, clear, 8);
CLAP_ABI_ASSERT_OFFSET(clap_host_params_t, request_flush, 16);
