// CLAP 1.1.1 "clap.gui": windows, resize hints, the plug-in's editor functions and the host's
// editor callbacks.
#pragma once

#include "ClapCore.h"
#include "ClapPlugin.h"

extern "C" {

typedef struct clap_window {
    const char* api;
    union {
        void* cocoa;
        unsigned long x11; // X11 window id
        void* win32;
        void* ptr;
    };
} clap_window_t;

typedef struct clap_gui_resize_hints {
    bool can_resize_horizontally;
    bool can_resize_vertically;
    bool preserve_aspect_ratio;
    uint32_t aspect_ratio_width;
    uint32_t aspect_ratio_height;
} clap_gui_resize_hints_t;

typedef struct clap_plugin_gui {
    bool (*is_api_supported)(const clap_plugin_t* plugin, const char* api, bool is_floating);
    bool (*get_preferred_api)(const clap_plugin_t* plugin, const char** api, bool* is_floating);
    bool (*create)(const clap_plugin_t* plugin, const char* api, bool is_floating);
    void (*destroy)(const clap_plugin_t* plugin);
    bool (*set_scale)(const clap_plugin_t* plugin, double scale);
    bool (*get_size)(const clap_plugin_t* plugin, uint32_t* width, uint32_t* height);
    bool (*can_resize)(const clap_plugin_t* plugin);
    bool (*get_resize_hints)(const clap_plugin_t* plugin, clap_gui_resize_hints_t* hints);
    bool (*adjust_size)(const clap_plugin_t* plugin, uint32_t* width, uint32_t* height);
    bool (*set_size)(const clap_plugin_t* plugin, uint32_t width, uint32_t height);
    bool (*set_parent)(const clap_plugin_t* plugin, const clap_window_t* window);
    bool (*set_transient)(const clap_plugin_t* plugin, const clap_window_t* window);
    void (*suggest_title)(const clap_plugin_t* plugin, const char* title);
    bool (*show)(const clap_plugin_t* plugin);
    bool (*hide)(const clap_plugin_t* plugin);
} clap_plugin_gui_t;

typedef struct clap_host_gui {
    void (*resize_hints_changed)(const clap_host_t* host);
    bool (*request_resize)(const clap_host_t* host, uint32_t width, uint32_t height);
    bool (*request_show)(const clap_host_t* host);
    bool (*request_hide)(const clap_host_t* host);
    void (*closed)(const clap_host_t* host, bool was_destroyed);
} clap_host_gui_t;

} // extern "C"

inline constexpr char CLAP_EXT_GUI[] = "clap.gui";
inline constexpr char CLAP_WINDOW_API_X11[] = "x11";
inline constexpr char CLAP_WINDOW_API_WAYLAND[] = "wayland";
inline constexpr char CLAP_WINDOW_API_WIN32[] = "win32";
inline constexpr char CLAP_WINDOW_API_COCOA[] = "cocoa";

CLAP_ABI_ASSERT_LAYOUT(clap_window_t, 16, 8);
CLAP_ABI_ASSERT_OFFSET(clap_window_t, api, 0);
CLAP_ABI_ASSERT_OFFSET(clap_window_t, x11, 8);
CLAP_ABI_ASSERT_OFFSET(clap_window_t, cocoa, 8);
CLAP_ABI_ASSERT_OFFSET(clap_window_t, win32, 8);
CLAP_ABI_ASSERT_OFFSET(clap_window_t, ptr, 8);

CLAP_ABI_ASSERT_LAYOUT(clap_gui_resize_hints_t, 12, 4);
CLAP_ABI_ASSERT_OFFSET(clap_gui_resize_hints_t, can_resize_horizontally, 0);
CLAP_ABI_ASSERT_OFFSET(clap_gui_resize_hints_t, can_resize_vertically, 1);
CLAP_ABI_ASSERT_OFFSET(clap_gui_resize_hints_t, preserve_aspect_ratio, 2);
CLAP_ABI_ASSERT_OFFSET(clap_gui_resize_hints_t, aspect_ratio_width, 4);
CLAP_ABI_ASSERT_OFFSET(clap_gui_resize_hints_t, aspect_ratio_height, 8);

CLAP_ABI_ASSERT_LAYOUT(clap_plugin_gui_t, 120, 8);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_gui_t, is_api_supported, 0);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_gui_t, get_preferred_api, 8);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_gui_t, create, 16);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_gui_t, destroy, 24);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_gui_t, set_scale, 32);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_gui_t, get_size, 40);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_gui_t, can_resize, 48);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_gui_t, get_resize_hints, 56);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_gui_t, adjust_size, 64);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_gui_t, set_size, 72);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_gui_t, set_parent, 80);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_gui_t, set_transient, 88);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_gui_t, suggest_title, 96);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_gui_t, show, 104);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_gui_t, hide, 112);

CLAP_ABI_ASSERT_LAYOUT(clap_host_gui_t, 40, 8);
CLAP_ABI_ASSERT_OFFSET(clap_host_gui_t, resize_hints_changed, 0);
CLAP_ABI_ASSERT_OFFSET(clap_host_gui_t, request_resize, 8);
CLAP_ABI_ASSERT_OFFSET(clap_host_gui_t, request_show, 16);
CLAP_ABI_ASSERT_OFFSET(clap_host_gui_t, request_hide, 24);
CLAP_ABI_ASSERT_OFFSET(clap_host_gui_t, closed, 32);
