// Host streams over memory for "clap.state": an input stream that hands out at most a given
// number of bytes per read, and an output stream that accepts at most a given number per write.
// Host main thread.
#pragma once

#include "ClapState.h"

#include <cstddef>
#include <cstdint>
#include <string>

class MemoryInputStream {
public:
    explicit MemoryInputStream(std::string bytes, size_t maxPerRead = SIZE_MAX);

    // Reads fail (-1) once this many bytes were handed out.
    void failAfter(size_t bytes) noexcept { fFailAfter = bytes; }
    const clap_istream_t* stream() const noexcept { return &fStream; }
    size_t readCount() const noexcept { return fReads; }

private:
    clap_istream_t fStream;
    std::string fBytes;
    size_t fPosition = 0;
    size_t fMaxPerRead;
    size_t fFailAfter = SIZE_MAX;
    size_t fReads = 0;

    static int64_t read(const clap_istream_t* stream, void* buffer, uint64_t size);
};

class MemoryOutputStream {
public:
    explicit MemoryOutputStream(size_t maxPerWrite = SIZE_MAX);

    // Writes accept nothing (0) once this many bytes were taken.
    void refuseAfter(size_t bytes) noexcept { fRefuseAfter = bytes; }
    const clap_ostream_t* stream() const noexcept { return &fStream; }
    const std::string& bytes() const noexcept { return fBytes; }

private:
    clap_ostream_t fStream;
    std::string fBytes;
    size_t fMaxPerWrite;
    size_t fRefuseAfter = SIZE_MAX;

    static int64_t write(const clap_ostream_t* stream, const void* buffer, uint64_t size);
};
