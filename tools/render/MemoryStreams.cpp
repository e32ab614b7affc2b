// Host streams over memory for "clap.state". Host main thread.
#include "MemoryStreams.h"

#include <algorithm>
#include <cstring>

MemoryInputStream::MemoryInputStream(std::string bytes, size_t maxPerRead)
    : fStream{this, read}, fBytes(std::move(bytes)), fMaxPerRead(maxPerRead)
{
}

int64_t MemoryInputStream::read(const clap_istream_t* stream, void* buffer, uint64_t size)
{
    auto* const self = static_cast<MemoryInputStream*>(stream->ctx);
    ++self->fReads;
    if (self->fPosition >= self->fFailAfter)
        return -1;
    const size_t count = std::min(
        {static_cast<size_t>(size), self->fMaxPerRead, self->fBytes.size() - self->fPosition});
    std::memcpy(buffer, self->fBytes.data() + self->fPosition, count);
    self->fPosition += count;
    return static_cast<int64_t>(count);
}

MemoryOutputStream::MemoryOutputStream(size_t maxPerWrite)
    : fStream{this, write}, fMaxPerWrite(maxPerWrite)
{
}

int64_t MemoryOutputStream::write(const clap_ostream_t* stream, const void* buffer, uint64_t size)
{
    auto* const self = static_cast<MemoryOutputStream*>(stream->ctx);
    if (self->fBytes.size() >= self->fRefuseAfter)
        return 0;
    const size_t count = std::min(
        {static_cast<size_t>(size), self->fMaxPerWrite, self->fRefuseAfter - self->fBytes.size()});
    self->fBytes.append(static_cast<const char*>(buffer), count);
    return static_cast<int64_t>(count);
}
