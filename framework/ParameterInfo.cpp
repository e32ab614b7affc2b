// Storage of enumeration lists. Main thread.
#include "ParameterInfo.h"

#include <new>

namespace Orvane {

bool EnumValueList::allocate(uint8_t newCount)
{
    release();
    if (newCount == 0)
        return true;
    values = new (std::nothrow) EnumValue[newCount];
    if (values == nullptr)
        return false;
    count = newCount;
    owned = true;
    return true;
}

void EnumValueList::release() noexcept
{
    if (owned)
        delete[] values;
    values = nullptr;
    count = 0;
}

} // namespace Orvane
