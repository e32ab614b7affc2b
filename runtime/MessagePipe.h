// Ring buffer of variable-length byte records between one producer and one consumer thread.
// Records are published by their length word with a release store and found with an acquire load.
#pragma once

#include <atomic>
#include <cstdint>

class MessagePipe {
public:
    static constexpr uint32_t kWrapMarker = 0xFFFFFFFFu;

    explicit MessagePipe(uint32_t bytes = 0);
    ~MessagePipe();
    MessagePipe(const MessagePipe&) = delete;
    MessagePipe& operator=(const MessagePipe&) = delete;

    // Discards buffer and contents and sets the pipe up afresh; neither side may be active.
    void reset(uint32_t bytes);
    uint32_t length() const noexcept { return fLength; }

    // [producer] Room for a payload of `bytes`, or null when it does not fit without
    // overrunning unread records.
    unsigned char* reserve(uint32_t bytes) noexcept;
    // [producer] Makes the payload written at the last reservation visible to the consumer.
    void publish(uint32_t bytes) noexcept;

    // [consumer] Whether a record is ready (follows a wrap marker on the way).
    bool hasData() noexcept;
    // [consumer] The ready record's payload and its length; only after hasData() was true.
    const unsigned char* read(uint32_t* bytes) noexcept;
    // [consumer] Drops the ready record.
    void consume() noexcept;

private:
    std::atomic<uint32_t>* lengthWordAt(unsigned char* at) noexcept;

    unsigned char* fBuffer = nullptr;
    unsigned char* fWriteHead = nullptr;  // producer only
    std::atomic<unsigned char*> fReadHead{nullptr};  // advanced by the consumer, read by the producer
    uint32_t fLength = 0;
    uint32_t fRemaining = 0;
};
