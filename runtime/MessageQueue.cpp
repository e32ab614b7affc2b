// The scheduler's sorted list of pooled messages. Audio thread only, apart from construction
// and destruction.
#include "MessageQueue.h"

#include <new>

#include "Message.h"

MessageQueue::MessageQueue(uint32_t poolKiB) : fPool(poolKiB)
{
    // No more messages can wait than the pool has smallest chunks.
    const size_t nodeCount = fPool.bufferSize() / 32;
    if (nodeCount == 0)
        return;
    fNodeStore = new (std::nothrow) QueueNode[nodeCount];
    if (fNodeStore == nullptr)
        return;
    for (size_t i = 0; i < nodeCount; ++i) {
        fNodeStore[i].next = fFreeNodes;
        fFreeNodes = &fNodeStore[i];
    }
}

MessageQueue::~MessageQueue()
{
    delete[] fNodeStore;
}

Message* MessageQueue::schedule(const Message* m, SendFunction target, int inlet) noexcept
{
    if (m == nullptr || fFreeNodes == nullptr)
        return nullptr;
    Message* pooled = fPool.allocate(*m);
    if (pooled == nullptr)
        return nullptr;
    QueueNode* node = fFreeNodes;
    fFreeNodes = node->next;
    node->previous = nullptr;
    node->next = nullptr;
    node->message = pooled;
    node->target = target;
    node->inlet = inlet;
    insert(node);
    return pooled;
}

void MessageQueue::insert(QueueNode* node) noexcept
{
    const uint32_t t = node->message->timestamp;
    if (fHead == nullptr) {
        fHead = fTail = node;
        return;
    }
    if (timestampBefore(t, fHead->message->timestamp)) {
        node->next = fHead;
        fHead->previous = node;
        fHead = node;
        return;
    }
    QueueNode* after = fTail;
    if (timestampBefore(t, fTail->message->timestamp)) {
        // Equal timestamps stay in insertion order: go after the last node not later than t.
        after = fHead;
        while (!timestampBefore(t, after->next->message->timestamp))
            after = after->next;
    }
    node->previous = after;
    node->next = after->next;
    if (after->next != nullptr) {
        after->next->previous = node;
    } else {
        fTail = node;
    }
    after->next = node;
}

void MessageQueue::unlink(QueueNode* node) noexcept
{
    if (node->previous != nullptr) {
        node->previous->next = node->next;
    } else {
        fHead = node->next;
    }
    if (node->next != nullptr) {
        node->next->previous = node->previous;
    } else {
        fTail = node->previous;
    }
    node->previous = nullptr;
    node->next = nullptr;
}

void MessageQueue::recycle(QueueNode* node) noexcept
{
    fPool.release(node->message);
    node->message = nullptr;
    node->target = nullptr;
    node->next = fFreeNodes;
    fFreeNodes = node;
}

bool MessageQueue::cancel(const Message* handle, SendFunction target) noexcept
{
    QueueNode* node = fHead;
    while (node != nullptr && node->message != handle)
        node = node->next;
    if (node == nullptr || (target != nullptr && target != node->target))
        return false;
    unlink(node);
    recycle(node);
    return true;
}

void MessageQueue::dispatchBefore(KrellContextInterface* context, uint32_t endExclusive) noexcept
{
    while (fHead != nullptr && timestampBefore(fHead->message->timestamp, endExclusive)) {
        // Taken off the list before delivery, so that whatever the target schedules or cancels
        // meanwhile sees a consistent queue; its chunk stays valid until the target returns.
        QueueNode* node = fHead;
        unlink(node);
        if (node->target != nullptr)
            node->target(context, node->inlet, node->message);
        recycle(node);
    }
}
