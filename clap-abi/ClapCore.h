// The project's own declarations of the CLAP 1.1.1 ABI (x86-64 Linux): version, ids, common
// sizes, and the layout checks that every header of this folder applies to its structures.
#pragma once

#include <cstddef>
#include <cstdint>

// Every structure is checked against the layout of the published standard.
#define CLAP_ABI_ASSERT_LAYOUT(type, size, alignment)                                              \
    static_assert(sizeof(type) == (size), #type " has the wrong size");                            \
    static_assert(alignof(type) == (alignment), #type " has the wrong alignment")
#define CLAP_ABI_ASSERT_OFFSET(type, field, offset)                                                \
    static_assert(offsetof(type, field) == (offset), #type "::" #field " is at the wrong offset")

extern "C" {

typedef uint32_t clap_id;

typedef struct clap_version {
    uint32_t major;
    uint32_t minor;
    uint32_t revision;
} clap_version_t;

} // extern "C"

constexpr clap_id CLAP_INVALID_ID = UINT32_MAX;
constexpr uint32_t CLAP_NAME_SIZE = 256;
constexpr uint32_t CLAP_PATH_SIZE = 1024;

constexpr uint32_t CLAP_VERSION_MAJOR = 1;
constexpr uint32_t CLAP_VERSION_MINOR = 1;
constexpr uint32_t CLAP_VERSION_REVISION = 1;
constexpr clap_version_t CLAP_VERSION = {
    CLAP_VERSION_MAJOR, CLAP_VERSION_MINOR, CLAP_VERSION_REVISION};

// A host or plug-in speaking any 1.x version can be talked to.
constexpr bool clap_version_is_compatible(clap_version_t version)
{
    return version.major >= 1;
}

CLAP_ABI_ASSERT_LAYOUT(clap_version_t, 12, 4);
CLAP_ABI_ASSERT_OFFSET(clap_version_t, major, 0);
CLAP_ABI_ASSERT_OFFSET(clap_version_t, minor, 4);
CLAP_ABI_ASSERT_OFFSET(clap_version_t, revision, 8);
