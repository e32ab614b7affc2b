// Reads or writes a SmallStackRingBuffer: the writer on the editor thread, the reader on the audio
// thread. The writer publishes `tail` with release and the reader `head`, so each side sees the
// other's bytes complete.
#include "RingBufferControl.h"

#include "AudioAssertions.h"
#include "SoftAssert.h"

#include <cstring>

namespace Orvane {

namespace {

constexpr uint32_t kSize = SmallStackRingBuffer::kSize;

// Copies `size` bytes into the ring at `position`, wrapping at the end.
void copyIn(uint8_t* ring, uint32_t position, const uint8_t* data, uint32_t size) noexcept
{
    const uint32_t first = size < kSize - position ? size : kSize - position;
    std::memcpy(ring + position, data, first);
    std::memcpy(ring, data + first, size - first);
}

void copyOut(const uint8_t* ring, uint32_t position, uint8_t* data, uint32_t size) noexcept
{
    const uint32_t first = size < kSize - position ? size : kSize - position;
    std::memcpy(data, ring + position, first);
    std::memcpy(data + first, ring, size - first);
}

} // namespace

void RingBufferControl::setRingBuffer(SmallStackRingBuffer* buffer, bool reset) noexcept
{
    if (!ORVANE_CHECK(buffer != nullptr))
        return;
    const SmallStackRingBuffer* const ringBuf = fBuffer;
    if (!ORVANE_CHECK(buffer != ringBuf))
        return;
    fBuffer = buffer;
    if (reset)
        clearData();
}

uint32_t RingBufferControl::readableDataSize() const noexcept
{
    if (fBuffer == nullptr)
        return 0;
    const uint32_t head = fBuffer->head.load(std::memory_order_relaxed);
    const uint32_t tail = fBuffer->tail.load(std::memory_order_acquire);
    return (tail + kSize - head) % kSize;
}

bool RingBufferControl::isDataAvailableForReading() const noexcept
{
    return readableDataSize() != 0;
}

bool RingBufferControl::readCustomData(void* data, uint32_t size) noexcept
{
    if (fBuffer == nullptr || data == nullptr || size == 0)
        return false;
    if (readableDataSize() < size) {
        if (!fErrorReading) {
            fErrorReading = true;
            // The reader is the audio thread, which records the line instead of printing it.
            recordAudioReport(AudioReportKind::WarningPointerSize,
                "RingBuffer::tryRead(%p, %lu): failed, not enough space", __FILE__, __LINE__,
                reinterpret_cast<uintptr_t>(data), size);
        }
        return false;
    }
    const uint32_t head = fBuffer->head.load(std::memory_order_relaxed);
    copyOut(fBuffer->buf, head, static_cast<uint8_t*>(data), size);
    fBuffer->head.store((head + size) % kSize, std::memory_order_release);
    fErrorReading = false;
    return true;
}

bool RingBufferControl::writeCustomData(const void* data, uint32_t size) noexcept
{
    if (fBuffer == nullptr || data == nullptr || size == 0)
        return false;
    const uint32_t head = fBuffer->head.load(std::memory_order_acquire);
    const uint32_t used = (fBuffer->wrtn + kSize - head) % kSize;
    // One byte stays free so that a full ring is not mistaken for an empty one.
    if (kSize - 1 - used < size) {
        fBuffer->invalidateCommit = true;
        if (!fErrorWriting) {
            fErrorWriting = true;
            printWarning("RingBuffer::tryWrite(%p, %lu): failed, not enough space", data,
                static_cast<unsigned long>(size));
        }
        return false;
    }
    copyIn(fBuffer->buf, fBuffer->wrtn, static_cast<const uint8_t*>(data), size);
    fBuffer->wrtn = (fBuffer->wrtn + size) % kSize;
    fErrorWriting = false;
    return true;
}

bool RingBufferControl::commitWrite() noexcept
{
    if (fBuffer == nullptr)
        return false;
    if (fBuffer->invalidateCommit) {
        fBuffer->wrtn = fBuffer->tail.load(std::memory_order_relaxed);
        fBuffer->invalidateCommit = false;
        return false;
    }
    fBuffer->tail.store(fBuffer->wrtn, std::memory_order_release);
    return true;
}

void RingBufferControl::clearData() noexcept
{
    if (fBuffer == nullptr)
        return;
    fBuffer->head.store(0, std::memory_order_relaxed);
    fBuffer->tail.store(0, std::memory_order_relaxed);
    fBuffer->wrtn = 0;
    fBuffer->invalidateCommit = false;
    std::memset(fBuffer->buf, 0, sizeof(fBuffer->buf));
}

} // namespace Orvane
