// CLAP 1.1.1 "clap.state": the host's byte streams and the plug-in's save and load functions.
#pragma once

#include "ClapCore.h"
#include "ClapPlugin.h"

extern "C" {

typedef struct clap_istream {
    void* ctx;
    // Bytes read, 0 at the end, -1 on error.
    int64_t (*read)(const struct clap_istream* stream, void* buffer, uint64_t size);
} clap_istream_t;

typedef struct clap_ostream {
    void* ctx;
    // Bytes written, -1 on error.
    int64_t (*write)(const struct clap_ostream* stream, const void* buffer, uint64_t size);
} clap_ostream_t;

typedef struct clap_plugin_state {
    bool (*save)(const clap_plugin_t* plugin, const clap_ostream_t* stream);
    bool (*load)(const clap_plugin_t* plugin, const clap_istream_t* stream);
} clap_plugin_state_t;

} // extern "C"

inline constexpr char CLAP_EXT_STATE[] = "clap.state";

CLAP_ABI_ASSERT_LAYOUT(clap_istream_t, 16, 8);
CLAP_ABI_ASSERT_OFFSET(clap_istream_t, ctx, 0);
CLAP_ABI_ASSERT_OFFSET(clap_istream_t, read, 8);

CLAP_ABI_ASSERT_LAYOUT(clap_ostream_t, 16, 8);
CLAP_ABI_ASSERT_OFFSET(clap_ostream_t, ctx, 0);
CLAP_ABI_ASSERT_OFFSET(clap_ostream_t, write, 8);

CLAP_ABI_ASSERT_LAYOUT(clap_plugin_state_t, 16, 8);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_state_t, save, 0);
CLAP_ABI_ASSERT_OFFSET(clap_plugin_state_t, load, 8);
