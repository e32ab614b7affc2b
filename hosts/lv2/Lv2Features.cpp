// Host feature lookup. Main thread.
#include "Lv2Features.h"

#include <cstring>

namespace Orvane {

const void* findLv2Feature(const LV2_Feature* const* features, const char* uri) noexcept
{
    for (const LV2_Feature* const* f = features; f != nullptr && *f != nullptr; ++f)
        if ((*f)->URI != nullptr && std::strcmp((*f)->URI, uri) == 0)
            return (*f)->data;
    return nullptr;
}

} // namespace Orvane
