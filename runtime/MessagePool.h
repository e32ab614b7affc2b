// Holds deep copies of messages that wait in the scheduler: power-of-two chunks (32..256 bytes)
// carved in 512-byte blocks from one buffer allocated up front. [audio-thread] after construction.
#pragma once

#include <cstddef>
#include <cstdint>

struct Message;

class MessagePool {
public:
    static constexpr int kClassCount = 4; // chunks of 32, 64, 128, 256 bytes
    static constexpr uint32_t kLargestChunk = 256;
    static constexpr uint32_t kBlockBytes = 512;

    // [main-thread] Allocates the buffer and every list node it can need.
    explicit MessagePool(uint32_t kiB);
    ~MessagePool();
    MessagePool(const MessagePool&) = delete;
    MessagePool& operator=(const MessagePool&) = delete;

    // [audio-thread] Deep-copies m into a chunk of its size class. Null (nothing changed) when
    // the message needs more than kLargestChunk bytes or the buffer has no room left for its class.
    [[nodiscard]] Message* allocate(const Message& m) noexcept;
    // [audio-thread]
    // Zeroes the chunk and returns it to its class's free list.
    void release(Message* chunk) noexcept;

    // [any-thread] Size class for a byte size, or -1 when larger than kLargestChunk.
    static int sizeClass(uint32_t bytes) noexcept;

    const unsigned char* buffer() const noexcept { return fBuffer; }
    size_t bufferSize() const noexcept { return fBufferSize; }

private:
    struct ListNode {
        unsigned char* chunk;
        ListNode* next;
    };
    struct ClassLists {
        ListNode* freeChunks = nullptr;
        ListNode* spareNodes = nullptr;
    };

    bool carveBlock(int sizeClass) noexcept;

    unsigned char* fBuffer = nullptr;
    size_t fBufferSize = 0;
    size_t fBufferIndex = 0;
    ClassLists fLists[kClassCount];
    ListNode* fNodeStore = nullptr; // one node per possible chunk, so nothing is allocated later
};
