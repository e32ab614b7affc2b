// The editor's entry points (gestures, values, notes) as the host and the plug-in see them at the
// next process.
#include "BindingFixture.h"
#include "StreamCapture.h"

#include <cmath>

namespace {

class EditorQueueTest : public BindingFixture {
protected:
    void expectGesture(uint32_t index, uint16_t type, uint32_t parameter)
    {
        const auto& gesture = out.as<clap_event_param_gesture_t>(index);
        EXPECT_EQ(gesture.header.size, 20u);
        EXPECT_EQ(gesture.header.time, 0u);
        EXPECT_EQ(gesture.header.type, type);
        EXPECT_EQ(gesture.header.flags, uint32_t(CLAP_EVENT_IS_LIVE));
        EXPECT_EQ(gesture.param_id, parameter);
    }

    void expectValue(uint32_t index, uint32_t parameter, double value)
    {
        const auto& event = out.as<clap_event_param_value_t>(index);
        EXPECT_EQ(event.header.size, 56u);
        EXPECT_EQ(event.header.time, 0u);
        EXPECT_EQ(event.header.type, CLAP_EVENT_PARAM_VALUE);
        EXPECT_EQ(event.header.flags, uint32_t(CLAP_EVENT_IS_LIVE));
        EXPECT_EQ(event.param_id, parameter);
        EXPECT_EQ(event.cookie, nullptr);
        EXPECT_EQ(event.note_id, 0);
        EXPECT_EQ(event.port_index, 0);
        EXPECT_EQ(event.channel, 0);
        EXPECT_EQ(event.key, 0);
        EXPECT_EQ(event.value, value);
    }

    void addHostMidi(uint32_t time, uint8_t status)
    {
        clap_event_midi_t event{};
        event.header = {sizeof(event), time, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_MIDI, 0};
        event.data[0] = status;
        in.add(event.header);
    }
};

TEST_F(EditorQueueTest, GesturesAndValuesReachTheHostInOrder)
{
    instance->eventQueue().editParameter(1, true);
    instance->eventQueue().setParameter(1, 1.5f);
    instance->eventQueue().editParameter(1, false);
    ASSERT_EQ(process(64), CLAP_PROCESS_CONTINUE);

    ASSERT_EQ(out.size(), 3u);
    expectGesture(0, CLAP_EVENT_PARAM_GESTURE_BEGIN, 1);
    expectValue(1, 1, 1.5);
    expectGesture(2, CLAP_EVENT_PARAM_GESTURE_END, 1);
    EXPECT_EQ(probe().lastAppliedIndex, 1u);
    EXPECT_EQ(probe().lastAppliedValue, 1.5f);

    // Drained: the next block sends nothing again.
    ASSERT_EQ(process(64), CLAP_PROCESS_CONTINUE);
    EXPECT_EQ(out.size(), 0u);
}

TEST_F(EditorQueueTest, TheHostSeesWellFormedGesturesWhateverTheEditorAsks)
{
    instance->eventQueue().editParameter(0, false); // an end without a begin
    instance->eventQueue().editParameter(1, true);
    instance->eventQueue().editParameter(1, true); // a second begin
    ASSERT_EQ(process(64), CLAP_PROCESS_CONTINUE);
    ASSERT_EQ(out.size(), 1u);
    expectGesture(0, CLAP_EVENT_PARAM_GESTURE_BEGIN, 1);

    // Without an output list nothing is sent, so the gesture stays open.
    instance->eventQueue().editParameter(1, false);
    instance->eventQueue().editParameter(1, false);
    ASSERT_EQ(process(64, false), CLAP_PROCESS_CONTINUE);
    ASSERT_EQ(process(64), CLAP_PROCESS_CONTINUE);
    ASSERT_EQ(out.size(), 1u);
    expectGesture(0, CLAP_EVENT_PARAM_GESTURE_END, 1);
}

TEST_F(EditorQueueTest, UnusableEditorValuesAreDroppedOrClamped)
{
    instance->eventQueue().setParameter(0, std::nanf(""));
    instance->eventQueue().setParameter(0, HUGE_VALF);
    instance->eventQueue().editParameter(2, true);
    instance->eventQueue().setParameter(2, 1.0f);
    instance->eventQueue().setParameter(0xFFFFFFFF, 1.0f);
    instance->eventQueue().setParameter(0, 5.0f);
    instance->eventQueue().setParameter(1, -5.0f);
    ASSERT_EQ(process(64), CLAP_PROCESS_CONTINUE);

    // The probe's range is 0 to 2.
    ASSERT_EQ(out.size(), 2u);
    expectValue(0, 0, 2.0);
    expectValue(1, 1, 0.0);
    EXPECT_EQ(probe().lastAppliedIndex, 1u);
    EXPECT_EQ(probe().lastAppliedValue, 0.0f);
}

TEST_F(EditorQueueTest, WithoutAnOutputListEverythingWaits)
{
    for (int i = 0; i < 20; ++i)
        instance->eventQueue().setParameter(i % 2, 0.1f * static_cast<float>(i));
    for (int block = 0; block < 3; ++block)
        ASSERT_EQ(process(64, false), CLAP_PROCESS_CONTINUE);
    EXPECT_EQ(probe().lastAppliedValue, 0.0f);

    ASSERT_EQ(process(64), CLAP_PROCESS_CONTINUE);
    ASSERT_EQ(out.size(), 20u);
    for (uint32_t i = 0; i < 20; ++i)
        expectValue(i, i % 2, 0.1f * static_cast<float>(i));
    EXPECT_EQ(probe().lastAppliedValue, 0.1f * 19.0f);
}

TEST_F(EditorQueueTest, EditorNotesJoinAtTheLastHostEventsFrame)
{
    ASSERT_TRUE(instance->eventQueue().sendNote(0, 60, 100));
    ASSERT_EQ(process(64), CLAP_PROCESS_CONTINUE);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out.as<clap_event_midi_t>(0).header.time, 0u);

    addHostMidi(5, 0xF8);
    addHostMidi(40, 0xF8);
    ASSERT_TRUE(instance->eventQueue().sendNote(2, 61, 90));
    ASSERT_TRUE(instance->eventQueue().sendNote(18, 61, 0)); // channel wraps within 0 to 15
    ASSERT_EQ(process(64), CLAP_PROCESS_CONTINUE);
    ASSERT_EQ(out.size(), 4u);
    const auto& on = out.as<clap_event_midi_t>(2);
    const auto& off = out.as<clap_event_midi_t>(3);
    EXPECT_EQ(on.header.time, 40u);
    EXPECT_EQ(off.header.time, 40u);
    EXPECT_EQ(
        (std::vector<int>{on.data[0], on.data[1], on.data[2]}), (std::vector<int>{0x92, 61, 90}));
    EXPECT_EQ(
        (std::vector<int>{off.data[0], off.data[1], off.data[2]}), (std::vector<int>{0x82, 61, 0}));
}

TEST_F(EditorQueueTest, NotesBeyondTheBlockLimitWaitForTheNextBlock)
{
    for (int i = 0; i < 510; ++i)
        addHostMidi(i % 64, 0xF8);
    for (uint8_t note = 0; note < 5; ++note)
        ASSERT_TRUE(instance->eventQueue().sendNote(0, note, 1));
    ASSERT_EQ(process(64), CLAP_PROCESS_CONTINUE);
    EXPECT_EQ(out.size(), 512u);
    ASSERT_EQ(process(64), CLAP_PROCESS_CONTINUE);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out.as<clap_event_midi_t>(0).data[1], 2);
}

// Host MIDI beyond a block's 512 is dropped, and so is what the host's full output list refuses:
// both are counted (the editor's waiting notes are not dropped, so not counted).
TEST_F(EditorQueueTest, HostMidiBeyondTheLimitAndRefusedPushesAreCounted)
{
    for (int i = 0; i < 600; ++i)
        addHostMidi(i % 64, 0xF8);
    ASSERT_TRUE(instance->eventQueue().sendNote(0, 60, 1));
    out.setCapacity(12);
    ASSERT_EQ(process(64), CLAP_PROCESS_CONTINUE);
    EXPECT_EQ(out.size(), 12u);
    EXPECT_EQ(instance->adapter().dropCount(Orvane::Drop::MidiOverflow), 88u);
    EXPECT_EQ(instance->adapter().dropCount(Orvane::Drop::HostPushRefusal), 500u);
    EXPECT_EQ(instance->adapter().dropCount(Orvane::Drop::PipeRefusal), 0u);
}

TEST_F(EditorQueueTest, AFullNotesRingDropsNotesAndSaysSoOnce)
{
    StreamCapture capture(stderr);
    // 4096 bytes with one kept free hold 1365 notes.
    for (int i = 0; i < 1365; ++i)
        ASSERT_TRUE(instance->eventQueue().sendNote(0, static_cast<uint8_t>(i % 128), 1));
    EXPECT_FALSE(instance->eventQueue().sendNote(0, 1, 1));
    EXPECT_FALSE(instance->eventQueue().sendNote(0, 2, 1));
    const std::string text = capture.text();
    EXPECT_NE(text.find("RingBuffer::tryWrite("), std::string::npos);
    EXPECT_EQ(text.find("RingBuffer::tryWrite(", text.find("RingBuffer::tryWrite(") + 1),
        std::string::npos);

    ASSERT_EQ(process(64), CLAP_PROCESS_CONTINUE);
    EXPECT_EQ(out.size(), 512u);
    EXPECT_TRUE(instance->eventQueue().sendNote(0, 3, 1));
}

} // namespace
