// CLAP 1.1.1 "clap.timer-support": the plug-in's timer callback and the host's timer functions.
#pragma once

#include "ClapCore.h"
#include "ClapPlugin.h"

extern "C" {

typedef struct clap_plugin_timer_support {
    void (*on_timer)(const clap_plugin_t* plugin, clap_id timer_id);
} clap_plugin_timer_support_t;

typedef struct clap_host_timer_support {
    bool (*register_timer)(const clap_host_t* host, uint32_t period_ms, clap_id* timer_id);
    bool (*unregister_timer)(const clap_host_t* host, clap_id timer_id);
} clap_host_timer_support_t;

} // extern "C"

inline constexpr char CLAP_EXT_TIMER_SUPPORT[] = "clap.timer-support";

CLAP_ABI_ASSERT_LAYOUT(clap_plugin_timer_support_t, 8, 8);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_timer_support_t, on_timer, 0);

CLAP_ABI_ASSERT_LAYOUT(clap_host_timer_support_t, 16, 8);
CLAP_ABI_ASSERT_OFFSET(clap_host_timer_support_t, register_timer, 0);
CLAP_ABI_ASSERT_OFFSET(clap_host_timer_support_t, unregister_timer, 8);
