// A patch's sample array with its zero guard value. Created and resized off the audio thread.
#include "Table.h"

#include <algorithm>
#include <new>

Table::~Table()
{
    delete[] fBuffer;
}

bool Table::create(uint32_t n, const float* values) noexcept
{
    if (n == UINT32_MAX)
        return false; // no room for the guard
    float* buffer = new (std::nothrow) float[n + 1];
    if (buffer == nullptr)
        return false;
    if (values != nullptr) {
        std::copy(values, values + n, buffer);
    } else {
        std::fill(buffer, buffer + n, 0.0f);
    }
    buffer[n] = 0.0f;
    delete[] fBuffer;
    fBuffer = buffer;
    fLength = fSize = n;
    fAllocated = n + 1;
    fHead = 0;
    return true;
}

bool Table::resize(uint32_t newLength) noexcept
{
    if (newLength == fSize && fBuffer != nullptr)
        return true;
    if (newLength == UINT32_MAX)
        return false;
    float* buffer = new (std::nothrow) float[newLength + 1];
    if (buffer == nullptr)
        return false;
    // Shrinking keeps the value that now sits at the guard index, as a reallocation would;
    // growing zeroes everything from the old size on, the old guard included.
    const uint32_t kept = newLength > fSize ? fSize : std::min(fAllocated, newLength + 1);
    std::copy(fBuffer, fBuffer + kept, buffer);
    std::fill(buffer + kept, buffer + newLength + 1, 0.0f);
    delete[] fBuffer;
    fBuffer = buffer;
    fLength = fSize = newLength;
    fAllocated = newLength + 1;
    return true;
}
