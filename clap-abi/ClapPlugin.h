// CLAP 1.1.1 entry points: the exported entry structure, the plug-in factory and descriptor,
// the plug-in instance functions and the host structure.
#pragma once

#include "ClapCore.h"
#include "ClapProcess.h"

extern "C" {

typedef struct clap_plugin_entry {
    clap_version_t clap_version;
    bool (*init)(const char* plugin_path);
    void (*deinit)(void);
    const void* (*get_factory)(const char* factory_id);
} clap_plugin_entry_t;

typedef struct clap_plugin_descriptor {
    clap_version_t clap_version;
    const char* id;
    const char* name;
    const char* vendor;
    const char* url;
    const char* manual_url;
    const char* support_url;
    const char* version;
    const char* description;
    const char* const* features; // ended by a null entry
} clap_plugin_descriptor_t;

typedef struct clap_host {
    clap_version_t clap_version;
    void* host_data;
    const char* name;
    const char* vendor;
    const char* url;
    const char* version;
    const void* (*get_extension)(const struct clap_host* host, const char* extension_id);
    void (*request_restart)(const struct clap_host* host);
    void (*request_process)(const struct clap_host* host);
    void (*request_callback)(const struct clap_host* host);
} clap_host_t;

typedef struct clap_plugin {
    const clap_plugin_descriptor_t* desc;
    void* plugin_data;
    bool (*init)(const struct clap_plugin* plugin);
    void (*destroy)(const struct clap_plugin* plugin);
    bool (*activate)(const struct clap_plugin* plugin, double sample_rate,
        uint32_t min_frames_count, uint32_t max_frames_count);
    void (*deactivate)(const struct clap_plugin* plugin);
    bool (*start_processing)(const struct clap_plugin* plugin);
    void (*stop_processing)(const struct clap_plugin* plugin);
    void (*reset)(const struct clap_plugin* plugin);
    clap_process_status (*process)(const struct clap_plugin* plugin, const clap_process_t* process);
    const void* (*get_extension)(const struct clap_plugin* plugin, const char* id);
    void (*on_main_thread)(const struct clap_plugin* plugin);
} clap_plugin_t;

typedef struct clap_plugin_factory {
    uint32_t (*get_plugin_count)(const struct clap_plugin_factory* factory);
    const clap_plugin_descriptor_t* (*get_plugin_descriptor)(
        const struct clap_plugin_factory* factory, uint32_t index);
    const clap_plugin_t* (*create_plugin)(
        const struct clap_plugin_factory* factory, const clap_host_t* host, const char* plugin_id);
} clap_plugin_factory_t;

} // extern "C"

inline constexpr char CLAP_PLUGIN_FACTORY_ID[] = "clap.plugin-factory";
inline constexpr char CLAP_PLUGIN_FEATURE_INSTRUMENT[] = "instrument";

CLAP_ABI_ASSERT_LAYOUT(clap_plugin_entry_t, 40, 8);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_entry_t, clap_version, 0);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_entry_t, init, 16);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_entry_t, deinit, 24);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_entry_t, get_factory, 32);

CLAP_ABI_ASSERT_LAYOUT(clap_plugin_factory_t, 24, 8);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_factory_t, get_plugin_count, 0);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_factory_t, get_plugin_descriptor, 8);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_factory_t, create_plugin, 16);

CLAP_ABI_ASSERT_LAYOUT(clap_plugin_descriptor_t, 88, 8);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_descriptor_t, clap_version, 0);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_descriptor_t, id, 16);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_descriptor_t, name, 24);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_descriptor_t, vendor, 32);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_descriptor_t, url, 40);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_descriptor_t, manual_url, 48);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_descriptor_t, support_url, 56);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_descriptor_t, version, 64);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_descriptor_t, description, 72);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_descriptor_t, features, 80);

CLAP_ABI_ASSERT_LAYOUT(clap_plugin_t, 96, 8);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_t, desc, 0);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_t, plugin_data, 8);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_t, init, 16);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_t, destroy, 24);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_t, activate, 32);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_t, deactivate, 40);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_t, start_processing, 48);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_t, stop_processing, 56);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_t, reset, 64);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_t, process, 72);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_t, get_extension, 80);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_t, on_main_thread, 88);

CLAP_ABI_ASSERT_LAYOUT(clap_host_t, 88, 8);
CLAP_ABI_ASSERT_OFFSET(clap_host_t, clap_version, 0);
CLAP_ABI_ASSERT_OFFSET(clap_host_t, host_data, 16);
CLAP_ABI_ASSERT_OFFSET(clap_host_t, name, 24);
CLAP_ABI_ASSERT_OFFSET(clap_host_t, vendor, 32);
CLAP_ABI_ASSERT_OFFSET(clap_host_t, url, 40);
CLAP_ABI_ASSERT_OFFSET(clap_host_t, version, 48);
CLAP_ABI_ASSERT_OFFSET(clap_host_t, get_extension, 56);
CLAP_ABI_ASSERT_OFFSET(clap_host_t, request_restart, 64);
CLAP_ABI_ASSERT_OFFSET(clap_host_t, request_process, 72);
CLAP_ABI_ASSERT_OFFSET(clap_host_t, request_callback, 80);
