// process as a host drives it: MIDI from notes and MIDI events (seen through a probe plug-in that
// echoes every message it gets), parameter events, 0-frame blocks and bad output buffers.
#include "ClapFixture.h"
#include "StereoBlock.h"
#include "StreamCapture.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

clap_event_note_t noteEvent(uint16_t type, uint32_t time, int16_t key, double velocity,
    int16_t channel = 0, int16_t port = 0)
{
    clap_event_note_t event{};
    event.header = {sizeof(event), time, CLAP_CORE_EVENT_SPACE_ID, type, 0};
    event.note_id = -1;
    event.port_index = port;
    event.channel = channel;
    event.key = key;
    event.velocity = velocity;
    return event;
}

clap_event_midi_t midiEvent(
    uint32_t time, uint8_t status, uint8_t data1, uint8_t data2, uint16_t port = 0)
{
    clap_event_midi_t event{};
    event.header = {sizeof(event), time, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_MIDI, 0};
    event.port_index = port;
    event.data[0] = status;
    event.data[1] = data1;
    event.data[2] = data2;
    return event;
}

struct EchoedMidi {
    uint32_t time;
    uint8_t status, data1, data2;

    bool operator==(const EchoedMidi& other) const
    {
        return time == other.time && status == other.status && data1 == other.data1 &&
            data2 == other.data2;
    }
};

std::ostream& operator<<(std::ostream& stream, const EchoedMidi& midi)
{
    return stream << "{" << midi.time << ": " << int(midi.status) << " " << int(midi.data1) << " "
                  << int(midi.data2) << "}";
}

class ClapProcessProbeTest : public ProbeClapFixture {
protected:
    std::unique_ptr<BlockRenderer> renderer;

    void SetUp() override
    {
        ProbeClapFixture::SetUp();
        ASSERT_TRUE(instance->activate(48000.0, 1, 256));
        renderer = std::make_unique<BlockRenderer>(
            *instance, TransportTimeline(48000.0, 120.0, 4, 4), 256);
    }

    // Every MIDI event the block sent back, checking each one's layout.
    std::vector<EchoedMidi> echoed()
    {
        std::vector<EchoedMidi> result;
        const OutputEventList& out = renderer->lastBlockOutput();
        for (uint32_t i = 0; i < out.size(); ++i) {
            const auto& midi = out.as<clap_event_midi_t>(i);
            EXPECT_EQ(midi.header.size, sizeof(clap_event_midi_t));
            EXPECT_EQ(midi.header.type, CLAP_EVENT_MIDI);
            EXPECT_EQ(midi.header.space_id, CLAP_CORE_EVENT_SPACE_ID);
            EXPECT_EQ(midi.header.flags, uint32_t(CLAP_EVENT_IS_LIVE));
            EXPECT_EQ(midi.port_index, 0u);
            result.push_back({midi.header.time, midi.data[0], midi.data[1], midi.data[2]});
        }
        return result;
    }
};

TEST_F(ClapProcessProbeTest, NotesBecomeClampedMidiMessages)
{
    InputEventList& in = renderer->nextBlockEvents();
    in.add(noteEvent(CLAP_EVENT_NOTE_ON, 0, 60, 1.0).header);
    in.add(noteEvent(CLAP_EVENT_NOTE_ON, 3, 61, 0.5, 3).header);
    in.add(noteEvent(CLAP_EVENT_NOTE_OFF, 5, -3, 0.0, 15).header);
    in.add(noteEvent(CLAP_EVENT_NOTE_ON, 7, 200, std::nan("")).header);
    in.add(noteEvent(CLAP_EVENT_NOTE_ON, 8, 64, HUGE_VAL, 17).header);
    in.add(noteEvent(CLAP_EVENT_NOTE_ON, 9, 65, -2.0).header);
    // Neither another port nor another event type reaches the plug-in; the wildcard port does.
    in.add(noteEvent(CLAP_EVENT_NOTE_ON, 10, 66, 1.0, 0, 1).header);
    in.add(noteEvent(CLAP_EVENT_NOTE_CHOKE, 11, 67, 1.0).header);
    in.add(noteEvent(CLAP_EVENT_NOTE_OFF, 12, 68, 0.0, 0, -1).header);

    StreamCapture quiet(stderr);
    ASSERT_EQ(renderer->processBlock(256), CLAP_PROCESS_CONTINUE);
    // The audio thread prints nothing; the main thread's callback shows the line, once.
    EXPECT_EQ(quiet.text(), "");
    StreamCapture capture(stderr);
    plugin()->on_main_thread(plugin());
    const std::string text = capture.text();
    EXPECT_NE(text.find("\"event->port_index == 0\" in file hosts/clap/PluginCLAP, line "),
        std::string::npos)
        << text;
    EXPECT_EQ(text.find("port_index", text.find("port_index") + 20), std::string::npos) << text;

    const std::vector<EchoedMidi> expected = {
        {0, 0x90, 60, 127},
        {3, 0x93, 61, 64},
        {5, 0x8F, 0, 0},
        {7, 0x90, 127, 0},
        {8, 0x91, 64, 127},
        {9, 0x90, 65, 0},
        {12, 0x80, 68, 0},
    };
    EXPECT_EQ(echoed(), expected);
}

TEST_F(ClapProcessProbeTest, MidiEventsPassOnlyFromPortZeroWithTheRightSize)
{
    InputEventList& in = renderer->nextBlockEvents();
    in.add(midiEvent(2, 0xB1, 7, 100).header);
    in.add(midiEvent(4, 0xF8, 0, 0, 1).header);
    clap_event_midi_t oversized = midiEvent(6, 0x90, 1, 2);
    oversized.header.size = 32;
    in.addBytes(&oversized, sizeof(oversized));
    in.add(midiEvent(255, 0xFA, 0, 0).header);

    StreamCapture capture(stderr);
    ASSERT_EQ(renderer->processBlock(256), CLAP_PROCESS_CONTINUE);
    plugin()->on_main_thread(plugin());
    const std::string text = capture.text();
    EXPECT_NE(text.find("\"event->size == sizeof(clap_event_midi_t)\""), std::string::npos) << text;
    EXPECT_NE(text.find(", v1 32, v2 24"), std::string::npos) << text;
    EXPECT_NE(text.find(", value 1"), std::string::npos) << text;
    EXPECT_EQ(echoed(), (std::vector<EchoedMidi>{{2, 0xB1, 7, 100}, {255, 0xFA, 0, 0}}));
}

TEST_F(ClapProcessProbeTest, AtMost512MessagesPerBlock)
{
    InputEventList& in = renderer->nextBlockEvents();
    for (uint32_t i = 0; i < 600; ++i)
        in.add(midiEvent(i % 256, 0xF8, 0, 0).header);
    ASSERT_EQ(renderer->processBlock(256), CLAP_PROCESS_CONTINUE);
    EXPECT_EQ(echoed().size(), 512u);

    // The limit is per block: the next one takes messages again.
    renderer->nextBlockEvents().add(midiEvent(0, 0xFC, 0, 0).header);
    ASSERT_EQ(renderer->processBlock(256), CLAP_PROCESS_CONTINUE);
    EXPECT_EQ(echoed().size(), 1u);
}

TEST_F(ClapProcessProbeTest, NoOutputListMeansNoMidiOut)
{
    clap_event_midi_t event = midiEvent(0, 0xF8, 0, 0);
    InputEventList in;
    in.add(event.header);
    float left[64], right[64];
    float* channels[2] = {left, right};
    clap_audio_buffer_t buffer{};
    buffer.data32 = channels;
    buffer.channel_count = 2;
    clap_process_t data{};
    data.steady_time = -1;
    data.frames_count = 64;
    data.audio_outputs = &buffer;
    data.audio_outputs_count = 1;
    data.in_events = in.list();

    StreamCapture capture(stderr);
    EXPECT_EQ(plugin()->process(plugin(), &data), CLAP_PROCESS_CONTINUE);
    plugin()->on_main_thread(plugin());
    EXPECT_NE(capture.text().find("\"fOutputEvents != nullptr\""), std::string::npos);
}

class ClapProcessTest : public ClapFixture, protected StereoBlock {
protected:
    clap_event_transport_t transport = TransportTimeline(48000.0, 120.0, 4, 4).at(0);

    clap_process_t block(uint32_t frames) { return processData(frames, &transport, 0); }

    // The first block of a fresh instance: what an untouched groove starts with.
    std::vector<float> freshFirstBlock()
    {
        PluginInstance fresh;
        std::string error;
        EXPECT_TRUE(fresh.create(*library.factory(), *host.host(), error));
        EXPECT_TRUE(fresh.activate(48000.0, 1, 256));
        BlockRenderer renderer(fresh, TransportTimeline(48000.0, 120.0, 4, 4), 256);
        renderer.processBlock(256);
        return std::vector<float>(renderer.left(), renderer.left() + 256);
    }
};

TEST_F(ClapProcessTest, ZeroFramesStillApplyParameters)
{
    ASSERT_TRUE(instance->activate(48000.0, 1, 256));
    const auto addValue = [this](
                              clap_id id, double value, uint16_t space = CLAP_CORE_EVENT_SPACE_ID) {
        clap_event_param_value_t event{};
        event.header = {sizeof(event), 0, space, CLAP_EVENT_PARAM_VALUE, 0};
        event.param_id = id;
        event.value = value;
        in.add(event.header);
    };
    addValue(4, 99);
    // The same type number in another event space means something else.
    addValue(2, 4, 1);
    // Unknown ids and unusable values are ignored, values out of range clamped.
    addValue(6, 3);
    addValue(CLAP_INVALID_ID, 3);
    addValue(0, std::nan(""));
    addValue(3, -HUGE_VAL);
    addValue(1, 5000);
    const clap_process_t data = block(0);
    EXPECT_EQ(plugin()->process(plugin(), &data), CLAP_PROCESS_CONTINUE);
    const std::vector<double> expected = {4, 1337, 2, 4, 99, 2};
    for (clap_id id = 0; id < 6; ++id)
        EXPECT_EQ(instance->parameterValue(id), expected[id]) << id;
}

TEST_F(ClapProcessTest, WrongChannelTotalsFailWithoutRendering)
{
    ASSERT_TRUE(instance->activate(48000.0, 1, 256));
    StreamCapture capture(stderr);
    // One channel, three channels, channels without memory, no buffers at all.
    float* three[3] = {left, right, left};
    float* missing[2] = {left, nullptr};
    const clap_audio_buffer_t oneChannel{channels, nullptr, 1, 0, 0};
    const clap_audio_buffer_t threeChannels{three, nullptr, 3, 0, 0};
    const clap_audio_buffer_t nullChannel{missing, nullptr, 2, 0, 0};
    const clap_audio_buffer_t noMemory{nullptr, nullptr, 2, 0, 0};
    for (const clap_audio_buffer_t& bad : {oneChannel, threeChannels, nullChannel, noMemory}) {
        buffer = bad;
        const clap_process_t data = block(256);
        EXPECT_EQ(plugin()->process(plugin(), &data), CLAP_PROCESS_ERROR);
    }
    clap_process_t noBuffers = block(256);
    noBuffers.audio_outputs = nullptr;
    EXPECT_EQ(plugin()->process(plugin(), &noBuffers), CLAP_PROCESS_ERROR);
    EXPECT_EQ(plugin()->process(plugin(), nullptr), CLAP_PROCESS_ERROR);
    plugin()->on_main_thread(plugin());
    const std::string text = capture.text();
    EXPECT_NE(text.find("\"out == ORVANE_PLUGIN_NUM_OUTPUTS\""), std::string::npos) << text;
    EXPECT_NE(text.find(", v1 3, v2 2"), std::string::npos) << text;

    // None of them ran the groove: the next good block is the groove's very first one.
    buffer = clap_audio_buffer_t{channels, nullptr, 2, 0, 0};
    const clap_process_t good = block(256);
    ASSERT_EQ(plugin()->process(plugin(), &good), CLAP_PROCESS_CONTINUE);
    EXPECT_EQ(std::vector<float>(left, left + 256), freshFirstBlock());
}

TEST_F(ClapProcessTest, TwoMonoBuffersMakeTheTwoChannels)
{
    ASSERT_TRUE(instance->activate(48000.0, 1, 256));
    clap_audio_buffer_t buffers[3] = {{&channels[0], nullptr, 1, 0, 0}, {nullptr, nullptr, 0, 0, 0},
        {&channels[1], nullptr, 1, 0, 0}};
    clap_process_t data = block(256);
    data.audio_outputs = buffers;
    data.audio_outputs_count = 3;
    StreamCapture capture(stderr);
    EXPECT_EQ(plugin()->process(plugin(), &data), CLAP_PROCESS_CONTINUE);
    plugin()->on_main_thread(plugin());
    EXPECT_NE(capture.text().find("\"outputs.channel_count != 0\""), std::string::npos);
    EXPECT_EQ(std::vector<float>(left, left + 256), freshFirstBlock());
}

TEST_F(ClapProcessTest, ProcessBeforeActivateRendersAtTheDefaultRate)
{
    const clap_process_t data = block(256);
    EXPECT_EQ(plugin()->process(plugin(), &data), CLAP_PROCESS_CONTINUE);
    EXPECT_GT(std::abs(left[0]) + std::abs(left[2]), 0.0f);
}

} // namespace

// A playing transport whose tempo is unusable sends no clock: the groove stays silent and the
// block returns, whatever the host claims. The constant mask tells the host which blocks are
// silent, whatever it held before.
TEST_F(ClapProcessTest, UnusableHostTempoPlaysNoClock)
{
    ASSERT_TRUE(instance->activate(48000.0, 1, 256));
    for (const double tempo : {0.0, -120.0, std::nan(""), HUGE_VAL}) {
        transport.tempo = tempo;
        buffer.constant_mask = 0;
        const clap_process_t data = block(256);
        ASSERT_EQ(plugin()->process(plugin(), &data), CLAP_PROCESS_CONTINUE);
        for (const float sample : left)
            ASSERT_EQ(sample, 0.0f) << tempo;
        EXPECT_EQ(buffer.constant_mask, 3u) << tempo;
    }
    // The clock resumes once the tempo is usable again.
    transport.tempo = 120.0;
    buffer.constant_mask = ~uint64_t{0};
    const clap_process_t data = block(256);
    ASSERT_EQ(plugin()->process(plugin(), &data), CLAP_PROCESS_CONTINUE);
    EXPECT_NE(left[0], 0.0f);
    EXPECT_EQ(buffer.constant_mask & 1, 0u);
    const bool rightSilent = std::all_of(right, right + 256, [](float s) { return s == 0.0f; });
    EXPECT_EQ((buffer.constant_mask & 2) != 0, rightSilent);
    EXPECT_EQ(buffer.constant_mask >> 2, 0u);
}
