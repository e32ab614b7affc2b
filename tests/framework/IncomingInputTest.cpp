// What enters the plug-in from a binding: the rule for parameter values, and one block's MIDI
// with the editor's notes and the count of what did not fit.
#include "EditorNotes.h"
#include "IncomingValues.h"
#include "MidiInputBlock.h"
#include "ProbeFixture.h"

#include <cmath>
#include <limits>

namespace {

class IncomingInputTest : public ProbeFixture { };

TEST_F(IncomingInputTest, ValuesAreRefusedHeldToTheRangeAndCutToWholeSteps)
{
    probeSetup.parameterHints = {0, Orvane::HintInteger}; // both range from 0 to 2
    const auto adapter = makeAdapter();
    const auto accepted = [&](uint32_t index, double value) {
        float result = -100.0f;
        return Orvane::acceptIncomingValue(*adapter, index, value, result) ? result : -100.0f;
    };

    EXPECT_EQ(accepted(0, 1.25), 1.25f);
    EXPECT_EQ(accepted(1, 1.999), 1.0f);
    EXPECT_EQ(accepted(1, 0.999), 0.0f);
    EXPECT_EQ(accepted(0, 7.0), 2.0f);
    EXPECT_EQ(accepted(1, -0.5), 0.0f);
    EXPECT_EQ(accepted(1, 1e300), 2.0f);
    for (const double refused : {std::nan(""), std::numeric_limits<double>::infinity(),
             -std::numeric_limits<double>::infinity()})
        EXPECT_EQ(accepted(0, refused), -100.0f);
    EXPECT_EQ(accepted(2, 1.0), -100.0f);
}

TEST_F(IncomingInputTest, BlockTakes512MessagesCountsTheRestAndLeavesNotesWaiting)
{
    const auto adapter = makeAdapter();
    Orvane::EditorNotes notes;
    Orvane::MidiInputBlock block(*adapter);

    // Notes follow the last message's frame, so that the block stays in frame order.
    ASSERT_TRUE(notes.send(3, 60, 100));
    ASSERT_TRUE(notes.send(3, 60, 0));
    ASSERT_TRUE(block.add(17, 0xB0, 7, 64));
    block.addEditorNotes(notes);
    ASSERT_EQ(block.count(), 3u);
    const Orvane::MidiMessage* const messages = block.messages();
    EXPECT_EQ(messages[1].frame, 17u);
    EXPECT_EQ(messages[1].size, 3u);
    EXPECT_EQ(messages[1].data[0], 0x93);
    EXPECT_EQ(messages[2].data[0], 0x83);
    EXPECT_EQ(messages[2].data[2], 0);
    EXPECT_TRUE(notes.isEmpty());

    while (!block.isFull())
        ASSERT_TRUE(block.add(20, 0xF8, 0, 0));
    EXPECT_EQ(block.count(), Orvane::MidiInputBlock::kCapacity);
    EXPECT_FALSE(block.add(21, 0xF8, 0, 0));
    block.countUnread(4);
    EXPECT_EQ(adapter->dropCount(Orvane::Drop::MidiOverflow), 5u);

    // A full block leaves the editor's notes for the next one.
    ASSERT_TRUE(notes.send(0, 61, 90));
    block.addEditorNotes(notes);
    EXPECT_FALSE(notes.isEmpty());
    block.clear();
    block.addEditorNotes(notes);
    ASSERT_EQ(block.count(), 1u);
    EXPECT_EQ(block.messages()[0].frame, 0u);
    EXPECT_EQ(block.messages()[0].data[1], 61);
    EXPECT_EQ(adapter->dropCount(Orvane::Drop::MidiOverflow), 5u);
}

} // namespace
