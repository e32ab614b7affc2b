// Pool size classes, carving order, recycling and refusal.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "runtime/Message.h"
#include "runtime/MessagePool.h"

namespace {

// A message of exactly `bytes` bytes (at least 24): one float and, when needed, a symbol.
struct SizedMessage {
    alignas(8) unsigned char storage[64];
    std::string text;
    Message* message;

    explicit SizedMessage(uint32_t bytes)
    {
        if (bytes <= 24) {
            message = Message::initWithFloat(storage, 0, 1.0f);
        } else if (bytes >= 41) {
            text.assign(bytes - 41, 't');
            message = Message::init(storage, 0, 2);
            message->setFloat(0, 1.0f);
            message->setSymbol(1, text.c_str());
        } else {
            text.assign(bytes - 25, 't');
            message = Message::initWithSymbol(storage, 0, text.c_str());
        }
    }
};

size_t offsetIn(const MessagePool& pool, const Message* m)
{
    return reinterpret_cast<const unsigned char*>(m) - pool.buffer();
}

} // namespace

TEST(MessagePool, SizeClasses)
{
    EXPECT_EQ(MessagePool::sizeClass(24), 0);
    EXPECT_EQ(MessagePool::sizeClass(32), 0);
    EXPECT_EQ(MessagePool::sizeClass(33), 1);
    EXPECT_EQ(MessagePool::sizeClass(40), 1);
    EXPECT_EQ(MessagePool::sizeClass(128), 2);
    EXPECT_EQ(MessagePool::sizeClass(256), 3);
    EXPECT_EQ(MessagePool::sizeClass(257), -1);
    EXPECT_EQ(MessagePool::sizeClass(0), -1);
}

TEST(MessagePool, CarvesBlocksHighestChunkFirst)
{
    MessagePool pool(1);
    SizedMessage small(24);
    EXPECT_EQ(offsetIn(pool, pool.allocate(*small.message)), 480u);
    EXPECT_EQ(offsetIn(pool, pool.allocate(*small.message)), 448u);
    // The next class carves the next block: 64-byte chunks, highest first.
    SizedMessage medium(40);
    EXPECT_EQ(offsetIn(pool, pool.allocate(*medium.message)), 512u + 448u);
}

TEST(MessagePool, EachSizeGetsItsClass)
{
    MessagePool pool(4);
    for (uint32_t bytes : {24u, 40u, 100u, 256u}) {
        SizedMessage sized(bytes);
        ASSERT_EQ(sized.message->requiredBytes(), bytes);
        Message* chunk = pool.allocate(*sized.message);
        ASSERT_NE(chunk, nullptr) << bytes;
        EXPECT_EQ(chunk->numBytes, bytes);
        const size_t chunkBytes = 32u << MessagePool::sizeClass(bytes);
        EXPECT_EQ(offsetIn(pool, chunk) % 512, 512 - chunkBytes) << bytes;
    }
}

TEST(MessagePool, ReleasedChunkIsZeroedAndReusedFirst)
{
    MessagePool pool(1);
    SizedMessage sized(30);
    Message* first = pool.allocate(*sized.message);
    Message* second = pool.allocate(*sized.message);
    pool.release(first);
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(first);
    EXPECT_TRUE(std::all_of(bytes, bytes + 32, [](unsigned char b) { return b == 0; }));
    EXPECT_EQ(pool.allocate(*sized.message), first);
    EXPECT_STREQ(first->symbolAt(0), sized.text.c_str());
    EXPECT_NE(second, first);
}

TEST(MessagePool, RefusesOversizedMessagesAndExhaustion)
{
    MessagePool pool(1);
    SizedMessage tooBig(257);
    EXPECT_EQ(pool.allocate(*tooBig.message), nullptr);

    // 1 KiB holds two blocks: 32 small chunks, then nothing more, in any class.
    SizedMessage small(24);
    std::vector<Message*> chunks;
    for (Message* m; (m = pool.allocate(*small.message)) != nullptr;)
        chunks.push_back(m);
    EXPECT_EQ(chunks.size(), 32u);
    for (Message* m : chunks)
        EXPECT_LT(offsetIn(pool, m), pool.bufferSize());
    SizedMessage large(256);
    EXPECT_EQ(pool.allocate(*large.message), nullptr);

    // Releasing makes room again, and only in that chunk's class.
    pool.release(chunks.back());
    EXPECT_EQ(pool.allocate(*large.message), nullptr);
    EXPECT_EQ(pool.allocate(*small.message), chunks.back());
}

TEST(MessagePool, EveryReleasedChunkComesBackAcrossCarving)
{
    // 17 chunks in use span two carved blocks; after releasing them all, the full pool
    // capacity must be available again.
    MessagePool pool(1);
    SizedMessage small(24);
    std::vector<Message*> chunks;
    for (int i = 0; i < 17; ++i)
        chunks.push_back(pool.allocate(*small.message));
    for (Message* m : chunks)
        pool.release(m);
    int allocated = 0;
    while (pool.allocate(*small.message) != nullptr)
        ++allocated;
    EXPECT_EQ(allocated, 32);
}

TEST(MessagePool, IgnoresForeignAndRepeatedReleases)
{
    MessagePool pool(1);
    SizedMessage sized(24);
    Message* chunk = pool.allocate(*sized.message);
    pool.release(chunk);
    pool.release(chunk); // zeroed: no class, not listed twice
    pool.release(sized.message); // not from this pool
    Message* a = pool.allocate(*sized.message);
    Message* b = pool.allocate(*sized.message);
    EXPECT_EQ(a, chunk);
    EXPECT_NE(b, chunk);
}

TEST(MessagePool, EmptyPoolRefusesEverything)
{
    MessagePool pool(0);
    SizedMessage sized(24);
    EXPECT_EQ(pool.allocate(*sized.message), nullptr);
}
