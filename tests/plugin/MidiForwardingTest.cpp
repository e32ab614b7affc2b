// What the patch is offered for each kind of incoming MIDI message, and on which frame.
#include "MidiForwarding.h"
#include "RecordingSink.h"
#include "patch/PatchInterface.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Orvane;

namespace {

struct Expected {
    uint32_t receiverHash;
    std::vector<float> values;
};

MidiMessage midi(uint32_t frame, uint8_t status, uint8_t d1 = 0, uint8_t d2 = 0)
{
    MidiMessage message;
    message.frame = frame;
    message.size = 3;
    message.data[0] = status;
    message.data[1] = d1;
    message.data[2] = d2;
    return message;
}

// The four raw data bytes with the channel, then what follows them.
std::vector<Expected> withRawBytes(const MidiMessage& message, std::vector<Expected> rest)
{
    const float channel = message.data[0] & 0x0F;
    std::vector<Expected> all;
    for (uint8_t byte : message.data)
        all.push_back({kRawMidiByteReceiver, {float(byte), channel}});
    all.insert(all.end(), rest.begin(), rest.end());
    return all;
}

void expectForwarded(const MidiMessage& message, const std::vector<Expected>& rest)
{
    SCOPED_TRACE(int(message.data[0]));
    RecordingSink sink;
    forwardMidiMessages(&message, 1, 1024, sink);
    const auto expected = withRawBytes(message, rest);
    ASSERT_EQ(sink.posts.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const PatchPost& post = sink.posts[i];
        EXPECT_EQ(post.receiverHash, expected[i].receiverHash) << "post " << i;
        EXPECT_EQ(post.frame, message.frame);
        ASSERT_EQ(post.count, expected[i].values.size()) << "post " << i;
        for (uint32_t v = 0; v < post.count; ++v)
            EXPECT_EQ(post.values[v], expected[i].values[v]) << "post " << i << " value " << v;
    }
}

TEST(MidiForwarding, ChannelMessagesAreSplitIntoTheirValues)
{
    expectForwarded(midi(3, 0x93, 60, 100), {{kNoteReceiver, {60, 100, 3}}});
    expectForwarded(midi(3, 0x90, 60, 0), {{kNoteReceiver, {60, 0, 0}}}); // as it came
    expectForwarded(midi(7, 0x8F, 61, 64), {{kNoteReceiver, {61, 0, 15}}});
    expectForwarded(midi(0, 0xA2, 62, 33), {{kPolyPressureReceiver, {33, 62, 2}}});
    expectForwarded(midi(0, 0xB1, 7, 99), {{kControlChangeReceiver, {99, 7, 1}}});
    expectForwarded(midi(0, 0xC4, 12), {{kProgramChangeReceiver, {12, 4}}});
    expectForwarded(midi(0, 0xD5, 80), {{kChannelPressureReceiver, {80, 5}}});
    expectForwarded(midi(0, 0xE6, 0x7F, 0x40), {{kPitchBendReceiver, {0x40 * 128 + 0x7F, 6}}});
}

TEST(MidiForwarding, RealtimeBytesReachTheClockAndOtherSystemMessagesOnlyTheRawBytes)
{
    for (uint8_t status : {kMidiClock, kMidiStart, kMidiContinue, kMidiStop, kMidiReset})
        expectForwarded(midi(500, status), {{kRealtimeReceiver, {float(status), 0}}});
    for (uint8_t status : {uint8_t(0xF0), uint8_t(0xF2), uint8_t(0xF8 + 1), uint8_t(0xFE)})
        expectForwarded(midi(9, status, 1, 2), {});
}

TEST(MidiForwarding, MessagesKeepTheirOrderAndStayInTheBlock)
{
    const MidiMessage messages[] = {midi(10, 0xF8), midi(2, 0x90, 1, 1), midi(4000, 0xFC)};
    RecordingSink sink;
    forwardMidiMessages(messages, 3, 256, sink);
    const auto clock = sink.postsOf(kRealtimeReceiver, kMidiClock);
    const auto note = sink.postsOf(kNoteReceiver, 1);
    const auto stop = sink.postsOf(kRealtimeReceiver, kMidiStop);
    ASSERT_EQ(clock.size(), 1u);
    ASSERT_EQ(note.size(), 1u);
    ASSERT_EQ(stop.size(), 1u);
    EXPECT_EQ(clock[0].frame, 10u);
    EXPECT_EQ(note[0].frame, 2u);
    EXPECT_EQ(stop[0].frame, 255u);
    EXPECT_EQ(sink.posts.size(), 3u * 4 + 3);
    EXPECT_EQ(sink.posts[4].receiverHash, kRealtimeReceiver);

    RecordingSink none;
    forwardMidiMessages(nullptr, 3, 256, none);
    forwardMidiMessages(messages, 0, 256, none);
    EXPECT_TRUE(none.posts.empty());
}

} // namespace
