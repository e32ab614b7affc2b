// A named array of samples owned by a patch, with one zero guard value after its end.
// Created and resized off the audio thread; read by table players on the audio thread.
#pragma once

#include <cstdint>

class Table {
public:
    Table() = default;
    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    // Copies n values and appends the guard; false (table unchanged) when allocation fails.
    bool create(uint32_t n, const float* values) noexcept;
    // Keeps the first min(size, newLength) values; new values up to the guard are 0.
    // False (table unchanged) when allocation fails.
    bool resize(uint32_t newLength) noexcept;

    float* buffer() noexcept { return fBuffer; }
    const float* buffer() const noexcept { return fBuffer; }
    uint32_t length() const noexcept { return fLength; }
    uint32_t size() const noexcept { return fSize; }
    uint32_t allocated() const noexcept { return fAllocated; }
    uint32_t head() const noexcept { return fHead; }

private:
    float* fBuffer = nullptr;
    uint32_t fLength = 0;
    uint32_t fSize = 0;
    uint32_t fAllocated = 0;
    uint32_t fHead = 0;
};
