// The single-writer single-reader byte ring that carries the editor's notes.
#include "AudioAssertions.h"
#include "RingBufferControl.h"
#include "StreamCapture.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using Orvane::RingBufferControl;
using Orvane::SmallStackRingBuffer;

class NotesRingTest : public ::testing::Test {
protected:
    std::unique_ptr<SmallStackRingBuffer> ring = std::make_unique<SmallStackRingBuffer>();
    RingBufferControl writer;
    RingBufferControl reader;

    void SetUp() override
    {
        writer.setRingBuffer(ring.get(), true);
        reader.setRingBuffer(ring.get(), false);
    }
};

TEST_F(NotesRingTest, BytesAppearOnlyOnCommitAndWrapAround)
{
    const uint8_t record[3] = {0x90, 60, 100};
    ASSERT_TRUE(writer.writeCustomData(record, 3));
    EXPECT_FALSE(reader.isDataAvailableForReading());
    ASSERT_TRUE(writer.commitWrite());
    EXPECT_EQ(reader.readableDataSize(), 3u);

    // Far more than the ring holds, record by record: every byte arrives across the wrap.
    uint8_t got[3];
    ASSERT_TRUE(reader.readCustomData(got, 3));
    for (uint32_t i = 0; i < 5000; ++i) {
        const uint8_t sent[3] = {static_cast<uint8_t>(i), static_cast<uint8_t>(i >> 8), 7};
        ASSERT_TRUE(writer.writeCustomData(sent, 3));
        ASSERT_TRUE(writer.commitWrite());
        ASSERT_TRUE(reader.readCustomData(got, 3));
        ASSERT_EQ(std::vector<uint8_t>(got, got + 3), std::vector<uint8_t>(sent, sent + 3)) << i;
    }
    EXPECT_FALSE(reader.isDataAvailableForReading());
}

TEST_F(NotesRingTest, AFailedWriteDropsItsWholeGroup)
{
    std::vector<uint8_t> big(4000, 1);
    ASSERT_TRUE(writer.writeCustomData(big.data(), 4000));
    ASSERT_TRUE(writer.commitWrite());

    const uint8_t record[3] = {0x90, 1, 2};
    StreamCapture capture(stderr);
    ASSERT_TRUE(writer.writeCustomData(record, 3));
    EXPECT_FALSE(writer.writeCustomData(big.data(), 100));
    EXPECT_FALSE(writer.commitWrite());
    EXPECT_EQ(reader.readableDataSize(), 4000u);
    EXPECT_NE(capture.text().find("RingBuffer::tryWrite("), std::string::npos);

    // Reading past what is there fails without consuming.
    std::vector<uint8_t> out(4001);
    StreamCapture quiet(stderr);
    EXPECT_FALSE(reader.readCustomData(out.data(), 4001));
    EXPECT_FALSE(reader.readCustomData(out.data(), 4001));
    // The reader is the audio thread: its line is printed by the main thread.
    EXPECT_EQ(quiet.text(), "");
    StreamCapture readCapture(stderr);
    Orvane::printAudioReports();
    const std::string text = readCapture.text();
    EXPECT_NE(text.find("RingBuffer::tryRead("), std::string::npos);
    EXPECT_EQ(text.find("RingBuffer::tryRead(", text.find("RingBuffer::tryRead(") + 1),
        std::string::npos);
    EXPECT_TRUE(reader.readCustomData(out.data(), 4000));
}

TEST_F(NotesRingTest, AttachingTwiceToTheSameRingIsReported)
{
    StreamCapture capture(stderr);
    writer.setRingBuffer(ring.get(), true);
    EXPECT_NE(capture.text().find("\"buffer != ringBuf\""), std::string::npos);
}

} // namespace
