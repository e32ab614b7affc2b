// Looking up what a host offers among its features, for both libraries of the bundle.
// [main-thread] (instantiation).
#pragma once

#include <lv2/core/lv2.h>

namespace Orvane {

// The data of the feature `uri` in the host's null-terminated list (which may be null); null
// when the host does not offer it.
const void* findLv2Feature(const LV2_Feature* const* features, const char* uri) noexcept;

} // namespace Orvane
