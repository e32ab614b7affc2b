// Message layout, byte sizes, deep copies, readers and the name hash.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <vector>

#include "runtime/Message.h"

TEST(Hash, MatchesReferenceValues)
{
    EXPECT_EQ(hashString("abc"), 0x13577c9bu);
    EXPECT_EQ(hashString(""), 0u);
    EXPECT_EQ(hashString(nullptr), 0u);
    EXPECT_EQ(hashString("Dayan_Tempo"), 0x7c622646u);
    EXPECT_EQ(hashString("Baya_Length"), 0x5b3baac5u);
    static_assert(hashString("abc") == 0x13577c9bu, "usable as a case label");
}

TEST(Hash, SignExtendsTailBytes)
{
    // One, two and three high tail bytes; the unsigned variant would give 0x5ce29d2b,
    // 0x3d614590 and 0x954c4fb7.
    EXPECT_EQ(hashString("caf\xc3\xa9"), 0x9d987464u);
    EXPECT_EQ(hashString("\xff\xfe\xfd"), 0xe3203b2bu);
    EXPECT_EQ(hashString("ab\x80"), 0xd29ad81bu);
}

TEST(Message, LayoutAndByteSizes)
{
    EXPECT_EQ(offsetof(Message, timestamp), 0u);
    EXPECT_EQ(offsetof(Message, numElements), 4u);
    EXPECT_EQ(offsetof(Message, numBytes), 6u);
    EXPECT_EQ(offsetof(Element, payload), 8u);
    MessageStorage<3> storage;
    Message* m = Message::init(storage.bytes, 7, 3);
    EXPECT_EQ(m->timestamp, 7u);
    EXPECT_EQ(m->numBytes, 56u);
    EXPECT_EQ(reinterpret_cast<unsigned char*>(m->elements()), storage.bytes + 8);
    m->setFloat(0, 1.0f);
    m->setSymbol(1, "stop");
    m->setHash(2, 99);
    EXPECT_EQ(m->numBytes, 56u + 5u);
    EXPECT_EQ(m->requiredBytes(), 61u);

    EXPECT_EQ(Message::initWithBang(storage.bytes, 0)->numBytes, 24u);
    EXPECT_EQ(Message::initWithSymbol(storage.bytes, 0, "ab")->numBytes, 27u);
    EXPECT_EQ(Message::initWithSymbol(storage.bytes, 0, nullptr)->numBytes, 25u);
    EXPECT_STREQ(reinterpret_cast<Message*>(storage.bytes)->symbolAt(0), "");
}

TEST(Message, DeepCopyOwnsItsTexts)
{
    MessageStorage<2> storage;
    Message* m = Message::init(storage.bytes, 42, 2);
    char stop[] = "stop";
    char ab[] = "ab";
    m->setSymbol(0, stop);
    m->setSymbol(1, ab);
    ASSERT_EQ(m->numBytes, 48u);

    alignas(8) unsigned char buffer[64];
    std::memset(buffer, 0xAA, sizeof buffer);
    Message* copy = m->copyTo(buffer, 48);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->numBytes, 48u);
    EXPECT_EQ(copy->timestamp, 42u);
    EXPECT_EQ(copy->symbolAt(0), reinterpret_cast<const char*>(buffer + 40));
    EXPECT_EQ(copy->symbolAt(1), reinterpret_cast<const char*>(buffer + 45));
    EXPECT_EQ(buffer[48], 0xAA); // nothing written past the byte size
    stop[0] = 'X';
    ab[0] = 'X';
    EXPECT_STREQ(copy->symbolAt(0), "stop");
    EXPECT_STREQ(copy->symbolAt(1), "ab");
}

TEST(Message, CopyRefusesWhatDoesNotFit)
{
    MessageStorage<1> storage;
    Message* m = Message::initWithSymbol(storage.bytes, 0, "abcdef"); // 31 bytes
    alignas(8) unsigned char buffer[32];
    std::memset(buffer, 0xAA, sizeof buffer);
    EXPECT_EQ(m->copyTo(buffer, 30), nullptr);
    EXPECT_EQ(buffer[0], 0xAA);
    EXPECT_NE(m->copyTo(buffer, 31), nullptr);

    // A text that overflows the u16 byte size: the size saturates and no copy takes it.
    std::vector<char> huge(70000, 'x');
    huge.back() = '\0';
    m = Message::initWithSymbol(storage.bytes, 0, huge.data());
    EXPECT_EQ(m->numBytes, 0xFFFFu);
    EXPECT_GT(m->requiredBytes(), 0xFFFFu);
    std::vector<unsigned char> big(80000);
    EXPECT_EQ(m->copyTo(big.data(), static_cast<uint32_t>(big.size())), nullptr);

    // So many elements that the core alone overflows the size field.
    std::vector<uint64_t> wide(Message::coreSize(5000) / 8);
    m = Message::init(wide.data(), 0, 5000);
    EXPECT_EQ(m->numBytes, 0xFFFFu);
    EXPECT_EQ(m->copyTo(big.data(), static_cast<uint32_t>(big.size())), nullptr);
}

TEST(Message, ReadersAndHashes)
{
    MessageStorage<4> storage;
    Message* m = Message::init(storage.bytes, 0, 4);
    m->setBang(0);
    m->setFloat(1, 1.0f);
    m->setSymbol(2, "flush");
    m->setHash(3, hashString("clear"));

    EXPECT_EQ(m->hashAt(0), 0xFFFFFFFFu);
    EXPECT_EQ(m->hashAt(1), 0x3F800000u);
    EXPECT_EQ(m->hashAt(2), hashString("flush"));
    EXPECT_EQ(m->hashAt(3), hashString("clear"));
    EXPECT_TRUE(m->isHashLike(2));
    EXPECT_TRUE(m->isHashLike(3));
    EXPECT_FALSE(m->isHashLike(1));

    EXPECT_TRUE(m->matches(2, "flush"));
    EXPECT_FALSE(m->matches(2, "flus"));
    EXPECT_TRUE(m->matches(3, "clear"));
    EXPECT_FALSE(m->matches(0, "bang"));
    EXPECT_FALSE(m->matches(1, "1"));

    // An unknown tag reads as nothing.
    m->elements()[0].type = 9;
    EXPECT_EQ(m->hashAt(0), 0u);
    EXPECT_FALSE(m->isBang(0));
}

TEST(Message, ReadersStayInsideTheMessage)
{
    MessageStorage<1> storage;
    const Message* m = Message::initWithFloat(storage.bytes, 0, 3.0f);
    for (int i : {-1, 1, 1000}) {
        EXPECT_FALSE(m->isFloat(i));
        EXPECT_FALSE(m->isBang(i));
        EXPECT_FALSE(m->isHashLike(i));
        EXPECT_EQ(m->floatAt(i), 0.0f);
        EXPECT_STREQ(m->symbolAt(i), "");
        EXPECT_EQ(m->hashAt(i), 0u);
        EXPECT_FALSE(m->matches(i, ""));
    }
}

TEST(Message, CopyElementSharesTextAndCountsIt)
{
    MessageStorage<2> source;
    Message* src = Message::init(source.bytes, 0, 2);
    src->setFloat(0, 2.5f);
    src->setSymbol(1, "hello");
    MessageStorage<2> target;
    Message* dst = Message::init(target.bytes, 0, 2);
    dst->copyElement(0, src, 1);
    dst->copyElement(1, src, 0);
    EXPECT_EQ(dst->symbolAt(0), src->symbolAt(1));
    EXPECT_EQ(dst->floatAt(1), 2.5f);
    EXPECT_EQ(dst->numBytes, 40u + 6u);
}
