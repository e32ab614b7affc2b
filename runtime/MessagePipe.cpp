// Single-producer single-consumer record ring. The producer only writes ahead of the read head
// and publishes each record by its length word; the consumer only advances the read head.
#include "MessagePipe.h"

#include <new>

MessagePipe::MessagePipe(uint32_t bytes)
{
    reset(bytes);
}

MessagePipe::~MessagePipe()
{
    delete[] fBuffer;
}

std::atomic<uint32_t>* MessagePipe::lengthWordAt(unsigned char* at) noexcept
{
    return reinterpret_cast<std::atomic<uint32_t>*>(at);
}

void MessagePipe::reset(uint32_t bytes)
{
    delete[] fBuffer;
    fBuffer = nullptr;
    fLength = 0;
    bytes &= ~7u;
    if (bytes >= 2 * kHeaderBytes) {
        // Zeroed, so the first length word reads as "nothing there yet".
        fBuffer = new (std::nothrow) unsigned char[bytes]();
        if (fBuffer != nullptr)
            fLength = bytes;
    }
    fWriteHead = fBuffer;
    fRemaining = fLength;
    fReadHead.store(fBuffer, std::memory_order_release);
}

unsigned char* MessagePipe::reserve(uint32_t bytes) noexcept
{
    if (fBuffer == nullptr)
        return nullptr;
    const uint64_t record = recordBytes(bytes);
    // The record plus the length word of the next one, which publish() clears.
    const uint64_t needed = record + kHeaderBytes;
    unsigned char* readHead = fReadHead.load(std::memory_order_acquire);
    if (fRemaining >= needed) {
        if (fWriteHead < readHead && fWriteHead + record >= readHead)
            return nullptr;
        return fWriteHead + kHeaderBytes;
    }
    if (fLength < needed || fWriteHead < readHead || fBuffer + needed > readHead)
        return nullptr;
    lengthWordAt(fBuffer)->store(0, std::memory_order_relaxed);
    lengthWordAt(fWriteHead)->store(kWrapMarker, std::memory_order_release);
    fWriteHead = fBuffer;
    fRemaining = fLength;
    return fBuffer + kHeaderBytes;
}

void MessagePipe::publish(uint32_t bytes) noexcept
{
    const uint32_t record = static_cast<uint32_t>(recordBytes(bytes));
    unsigned char* written = fWriteHead;
    fWriteHead += record;
    fRemaining -= record;
    lengthWordAt(fWriteHead)->store(0, std::memory_order_relaxed);
    lengthWordAt(written)->store(bytes, std::memory_order_release);
}

bool MessagePipe::hasData() noexcept
{
    unsigned char* readHead = fReadHead.load(std::memory_order_relaxed);
    if (readHead == nullptr)
        return false;
    uint32_t length = lengthWordAt(readHead)->load(std::memory_order_acquire);
    if (length == kWrapMarker) {
        fReadHead.store(fBuffer, std::memory_order_release);
        length = lengthWordAt(fBuffer)->load(std::memory_order_acquire);
    }
    return length != 0;
}

const unsigned char* MessagePipe::read(uint32_t* bytes) noexcept
{
    *bytes = 0;
    if (!hasData())
        return nullptr;
    unsigned char* readHead = fReadHead.load(std::memory_order_relaxed);
    *bytes = lengthWordAt(readHead)->load(std::memory_order_relaxed);
    return readHead + kHeaderBytes;
}

void MessagePipe::consume() noexcept
{
    uint32_t bytes = 0;
    if (read(&bytes) == nullptr)
        return;
    unsigned char* readHead = fReadHead.load(std::memory_order_relaxed);
    // Release: the payload has been read before the producer may reuse its bytes.
    fReadHead.store(readHead + recordBytes(bytes), std::memory_order_release);
}
