// Ring buffer of variable-length byte records between one producer and one consumer thread.
// Records are published by their length word with a release store and found with an acquire load.
#pragma once

#include <atomic>
#include <cstdint>

// Record layout: a u32 length word L (the exact payload size; 0: nothing there yet, kWrapMarker:
// continue at the buffer start), 4 unused bytes, then L payload bytes padded to a multiple of 8.
// The padding keeps every length word and every payload 8-byte aligned, so a Message copied into
// a payload can be used in place.
class MessagePipe {
public:
    static constexpr uint32_t kWrapMarker = 0xFFFFFFFFu;
    static constexpr uint32_t kHeaderBytes = 8;

    // [main-thread]
    explicit MessagePipe(uint32_t bytes = 0);
    ~MessagePipe();
    MessagePipe(const MessagePipe&) = delete;
    MessagePipe& operator=(const MessagePipe&) = delete;

    // [main-thread] Discards buffer and contents and sets the pipe up afresh with `bytes` rounded
    // down to a multiple of 8 (no buffer below 16); neither side may be active.
    void reset(uint32_t bytes);
    uint32_t length() const noexcept { return fLength; }

    // Bytes a record with a payload of `bytes` occupies in the buffer.
    static uint64_t recordBytes(uint32_t bytes) noexcept
    {
        return kHeaderBytes + ((uint64_t{bytes} + 7) & ~uint64_t{7});
    }

    // The producer's side. [any-thread] One producer at a time (the context's lock for the
    // input pipe, the audio thread for the output pipe).
    // Room for a payload of `bytes` (8-byte aligned), or null when it does not fit without
    // overrunning unread records.
    [[nodiscard]] unsigned char* reserve(uint32_t bytes) noexcept;
    // Makes the payload written at the last reservation (of the same `bytes`) visible to the
    // consumer.
    void publish(uint32_t bytes) noexcept;

    // The consumer's side. [any-thread] One consumer at a time (the audio thread for the input
    // pipe, the context's lock for the output pipe).
    // Whether a record is ready (follows a wrap marker on the way).
    bool hasData() noexcept;
    // The ready record's payload and its length; null (length 0) when none is ready.
    const unsigned char* read(uint32_t* bytes) noexcept;
    // Drops the ready record.
    void consume() noexcept;

private:
    static_assert(std::atomic<uint32_t>::is_always_lock_free, "length words are shared lock-free");
    static_assert(sizeof(std::atomic<uint32_t>) == sizeof(uint32_t),
        "length words are plain u32 in the buffer");

    static std::atomic<uint32_t>* lengthWordAt(unsigned char* at) noexcept;

    unsigned char* fBuffer = nullptr;
    unsigned char* fWriteHead = nullptr; // producer only
    std::atomic<unsigned char*> fReadHead{
        nullptr}; // advanced by the consumer, read by the producer
    uint32_t fLength = 0;
    uint32_t fRemaining = 0; // producer only: bytes from the write head to the buffer's end
};
