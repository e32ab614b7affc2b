// The scheduler: pooled messages sorted by timestamp (equal timestamps in insertion order),
// each with the inlet it is delivered to. [audio-thread] after construction.
#pragma once

#include <cstdint>

#include "KrellContextInterface.h"
#include "MessagePool.h"

struct QueueNode {
    QueueNode* previous;
    QueueNode* next;
    Message* message; // pooled copy, the handle for cancel()
    SendFunction target;
    int inlet;
};

// Timestamps are compared by their signed 32-bit difference, so the order holds across the
// wrap of the sample counter within any window of 2^31 frames.
inline bool timestampBefore(uint32_t a, uint32_t b) noexcept
{
    return static_cast<int32_t>(a - b) < 0;
}

// Delays stay within half the counter's range, where timestamps still compare correctly; a
// longer one would look like the past and fire at once.
constexpr uint32_t kMaxDelaySamples = 0x7FFFFFFFu;

class MessageQueue {
public:
    // [main-thread] Preallocates the pool and every node it can need.
    explicit MessageQueue(uint32_t poolKiB);
    ~MessageQueue();
    MessageQueue(const MessageQueue&) = delete;
    MessageQueue& operator=(const MessageQueue&) = delete;

    // [audio-thread] Copies m into the pool and inserts it by timestamp; null when the pool
    // refuses it.
    [[nodiscard]] Message* schedule(const Message* m, SendFunction target, int inlet) noexcept;
    // [audio-thread] Unlinks the node holding handle (and whose target matches, when target is
    // given) and frees its chunk. A message being delivered is no longer queued and cannot be
    // cancelled.
    bool cancel(const Message* handle, SendFunction target) noexcept;
    // [audio-thread] Delivers, in order, every message due before endExclusive, including those
    // scheduled by the deliveries themselves. Each chunk is freed when its target returns.
    void dispatchBefore(KrellContextInterface* context, uint32_t endExclusive) noexcept;

    bool empty() const noexcept { return fHead == nullptr; }
    const QueueNode* head() const noexcept { return fHead; }
    MessagePool& pool() noexcept { return fPool; }

private:
    void insert(QueueNode* node) noexcept;
    void unlink(QueueNode* node) noexcept;
    void recycle(QueueNode* node) noexcept;

    QueueNode* fHead = nullptr;
    QueueNode* fTail = nullptr;
    QueueNode* fFreeNodes = nullptr;
    MessagePool fPool;
    QueueNode* fNodeStore = nullptr;
};
