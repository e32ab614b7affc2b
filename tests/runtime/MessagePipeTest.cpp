// Pipe records in one thread: order, alignment, wrapping and refusal when full.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "runtime/MessagePipe.h"

namespace {

bool write(MessagePipe& pipe, uint32_t bytes, unsigned char fill)
{
    unsigned char* at = pipe.reserve(bytes);
    if (at == nullptr)
        return false;
    std::memset(at, fill, bytes);
    pipe.publish(bytes);
    return true;
}

// Reads and consumes one record; returns its length and checks its fill.
uint32_t take(MessagePipe& pipe, unsigned char fill)
{
    uint32_t bytes = 0;
    const unsigned char* at = pipe.read(&bytes);
    if (at == nullptr)
        return 0;
    for (uint32_t i = 0; i < bytes; ++i)
        EXPECT_EQ(at[i], fill);
    pipe.consume();
    return bytes;
}

} // namespace

TEST(MessagePipe, RecordsComeOutInOrderWithTheirLengths)
{
    MessagePipe pipe(1024);
    EXPECT_FALSE(pipe.hasData());
    ASSERT_TRUE(write(pipe, 5, 1));
    ASSERT_TRUE(write(pipe, 32, 2));
    ASSERT_TRUE(write(pipe, 13, 3));
    EXPECT_EQ(take(pipe, 1), 5u);
    EXPECT_EQ(take(pipe, 2), 32u);
    EXPECT_EQ(take(pipe, 3), 13u);
    EXPECT_FALSE(pipe.hasData());
    uint32_t bytes = 99;
    EXPECT_EQ(pipe.read(&bytes), nullptr);
    EXPECT_EQ(bytes, 0u);
}

TEST(MessagePipe, PayloadsAreEightByteAlignedWhateverTheLength)
{
    MessagePipe pipe(256);
    for (uint32_t bytes : {1u, 3u, 6u, 7u, 9u}) {
        unsigned char* at = pipe.reserve(bytes);
        ASSERT_NE(at, nullptr);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(at) % 8, 0u);
        pipe.publish(bytes);
    }
}

TEST(MessagePipe, FullPipeRefusesUntilDrained)
{
    MessagePipe pipe(256);
    int written = 0;
    while (write(pipe, 24, static_cast<unsigned char>(written)))
        ++written;
    // 32 bytes per record, and room must stay for the next length word.
    EXPECT_EQ(written, 7);
    for (int i = 0; i < written; ++i)
        EXPECT_EQ(take(pipe, static_cast<unsigned char>(i)), 24u);
    EXPECT_TRUE(write(pipe, 24, 0x55));
    EXPECT_EQ(take(pipe, 0x55), 24u);
}

TEST(MessagePipe, WrapsAroundAndNeverOverwritesUnreadRecords)
{
    MessagePipe pipe(256);
    // Go round the ring many times with a varying backlog of unread records.
    unsigned char next = 0;
    unsigned char expected = 0;
    int unread = 0;
    for (int round = 0; round < 200; ++round) {
        const uint32_t bytes = 8 + static_cast<uint32_t>(round % 5) * 11;
        while (unread < 3 && write(pipe, bytes, next)) {
            ++next;
            ++unread;
        }
        ASSERT_GT(unread, 0);
        EXPECT_NE(take(pipe, expected++), 0u);
        --unread;
    }
    while (unread-- > 0)
        EXPECT_NE(take(pipe, expected++), 0u);
    EXPECT_FALSE(pipe.hasData());
}

TEST(MessagePipe, RecordTooLargeForTheBufferIsRefused)
{
    MessagePipe pipe(256);
    EXPECT_EQ(pipe.reserve(241), nullptr);
    EXPECT_NE(pipe.reserve(240), nullptr);
    EXPECT_EQ(pipe.reserve(UINT32_MAX), nullptr);
}

TEST(MessagePipe, WithoutBufferEveryReservationFails)
{
    MessagePipe none(0);
    EXPECT_EQ(none.reserve(1), nullptr);
    EXPECT_FALSE(none.hasData());
    MessagePipe tiny(12);
    EXPECT_EQ(tiny.length(), 0u);
    EXPECT_EQ(tiny.reserve(1), nullptr);
}

TEST(MessagePipe, ResetDiscardsContents)
{
    MessagePipe pipe(128);
    ASSERT_TRUE(write(pipe, 16, 1));
    pipe.reset(512);
    EXPECT_EQ(pipe.length(), 512u);
    EXPECT_FALSE(pipe.hasData());
    EXPECT_TRUE(write(pipe, 16, 2));
    EXPECT_EQ(take(pipe, 2), 16u);
}
