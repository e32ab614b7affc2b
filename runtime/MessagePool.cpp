// Size-class pool for the deep copies of waiting messages. Audio thread only, apart from
// construction and destruction.
#include "MessagePool.h"

#include <cstring>
#include <new>

#include "Message.h"

namespace {
constexpr uint32_t kSmallestChunk = 32;
}

MessagePool::MessagePool(uint32_t kiB)
{
    const size_t bytes = static_cast<size_t>(kiB) * 1024;
    if (bytes == 0)
        return;
    fBuffer = new (std::nothrow) unsigned char[bytes]();
    // Every chunk ever carved gets the list node of its offset, so no node is allocated later.
    fNodeStore = new (std::nothrow) ListNode[bytes / kSmallestChunk];
    if (fBuffer == nullptr || fNodeStore == nullptr) {
        delete[] fBuffer;
        delete[] fNodeStore;
        fBuffer = nullptr;
        fNodeStore = nullptr;
        return;
    }
    fBufferSize = bytes;
}

MessagePool::~MessagePool()
{
    delete[] fBuffer;
    delete[] fNodeStore;
}

int MessagePool::sizeClass(uint32_t bytes) noexcept
{
    if (bytes == 0 || bytes > kLargestChunk)
        return -1;
    int k = 0;
    while ((kSmallestChunk << k) < bytes)
        ++k;
    return k;
}

bool MessagePool::carveBlock(int k) noexcept
{
    if (fBufferSize - fBufferIndex < kBlockBytes)
        return false;
    const uint32_t chunkBytes = kSmallestChunk << k;
    ClassLists& lists = fLists[k];
    // Ascending order leaves the block's highest chunk on top of the free list. Each new chunk
    // brings its own node: the spare nodes belong to chunks in use, which need them back when
    // they are released.
    for (uint32_t offset = 0; offset < kBlockBytes; offset += chunkBytes) {
        const size_t at = fBufferIndex + offset;
        ListNode* node = &fNodeStore[at / kSmallestChunk];
        node->chunk = fBuffer + at;
        node->next = lists.freeChunks;
        lists.freeChunks = node;
    }
    fBufferIndex += kBlockBytes;
    return true;
}

Message* MessagePool::allocate(const Message& m) noexcept
{
    const int k = sizeClass(m.requiredBytes());
    if (k < 0)
        return nullptr;
    ClassLists& lists = fLists[k];
    if (lists.freeChunks == nullptr && !carveBlock(k))
        return nullptr;
    ListNode* node = lists.freeChunks;
    lists.freeChunks = node->next;
    node->next = lists.spareNodes;
    lists.spareNodes = node;
    return m.copyTo(node->chunk, kSmallestChunk << k);
}

void MessagePool::release(Message* chunk) noexcept
{
    unsigned char* at = reinterpret_cast<unsigned char*>(chunk);
    if (chunk == nullptr || at < fBuffer || at >= fBuffer + fBufferIndex)
        return;
    // A zeroed chunk (released twice) has byte size 0 and no class, so it is not pushed again.
    const int k = sizeClass(chunk->numBytes);
    if (k < 0)
        return;
    const uint32_t chunkBytes = kSmallestChunk << k;
    ClassLists& lists = fLists[k];
    if (static_cast<size_t>(at - fBuffer) % chunkBytes != 0 || lists.spareNodes == nullptr)
        return;
    std::memset(at, 0, chunkBytes);
    ListNode* node = lists.spareNodes;
    lists.spareNodes = node->next;
    node->chunk = at;
    node->next = lists.freeChunks;
    lists.freeChunks = node;
}
