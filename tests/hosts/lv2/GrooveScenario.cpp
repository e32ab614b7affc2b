// Renders one scenario through the CLAP module and through the LV2 plug-in. Test thread only.
#include "GrooveScenario.h"

#include "ClapLibrary.h"
#include "HostContext.h"
#include "HostEvents.h"
#include "PluginInstance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// Where the song stands at `frame`: it moves only while playing.
struct SongPosition {
    const TransportSegment* segment;
    uint64_t songFrame;
    double beats;
};

SongPosition songPositionAt(const GrooveScenario& scenario, uint64_t frame)
{
    SongPosition position{&scenario.segments.front(), 0, 0.0};
    const auto& segments = scenario.segments;
    for (size_t i = 0; i < segments.size() && segments[i].start <= frame; ++i) {
        position.segment = &segments[i];
        const uint64_t next = i + 1 < segments.size() ? segments[i + 1].start : scenario.frames;
        const uint64_t played = segments[i].playing ? std::min(next, frame) - segments[i].start : 0;
        position.songFrame += played;
        position.beats += played * segments[i].beatsPerMinute / 60.0 / scenario.sampleRate;
    }
    return position;
}

// The end of the block that starts at `frame`: the next multiple of `block`, or an earlier
// transport change when `cutAtChanges`.
uint64_t blockEnd(const GrooveScenario& scenario, uint64_t frame, uint32_t block, bool cutAtChanges)
{
    uint64_t end = std::min(scenario.frames, (frame / block + 1) * block);
    if (cutAtChanges)
        for (const TransportSegment& segment : scenario.segments)
            if (segment.start > frame && segment.start < end)
                end = segment.start;
    return end;
}

clap_event_transport_t clapTransport(const SongPosition& position)
{
    clap_event_transport_t transport{};
    transport.header = {sizeof(transport), 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_TRANSPORT, 0};
    transport.flags = CLAP_TRANSPORT_HAS_TEMPO | CLAP_TRANSPORT_HAS_BEATS_TIMELINE |
        CLAP_TRANSPORT_HAS_TIME_SIGNATURE |
        (position.segment->playing ? CLAP_TRANSPORT_IS_PLAYING : 0);
    transport.song_pos_beats =
        static_cast<clap_beattime>(std::floor(position.beats * CLAP_BEATTIME_FACTOR));
    transport.tempo = position.segment->beatsPerMinute;
    transport.tsig_num = 4;
    transport.tsig_denom = 4;
    return transport;
}

HostPosition lv2Position(const SongPosition& position)
{
    HostPosition host;
    host.speed = position.segment->playing ? 1.0f : 0.0f;
    host.frame = static_cast<int64_t>(position.songFrame);
    host.bar = static_cast<int64_t>(std::floor(position.beats / 4.0));
    host.barBeat = static_cast<float>(position.beats - 4.0 * static_cast<double>(host.bar));
    host.beatsPerMinute = static_cast<float>(position.segment->beatsPerMinute);
    return host;
}

void append(StereoSignal& signal, const float* left, const float* right, uint64_t frames)
{
    signal.left.insert(signal.left.end(), left, left + frames);
    signal.right.insert(signal.right.end(), right, right + frames);
}

clap_event_midi_t clapMidi(uint32_t time, const std::vector<uint8_t>& bytes)
{
    clap_event_midi_t midi{};
    midi.header = {sizeof(midi), time, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_MIDI, 0};
    std::copy_n(bytes.begin(), std::min<size_t>(bytes.size(), 3), midi.data);
    return midi;
}

clap_id clapParameter(const PluginInstance& instance, const std::string& symbol)
{
    clap_param_info_t info{};
    EXPECT_TRUE(instance.findParameter(symbol, info)) << symbol;
    return info.id;
}

} // namespace

StereoSignal renderWithClap(const GrooveScenario& scenario, uint32_t block)
{
    StereoSignal signal;
    ClapLibrary library;
    HostContext host;
    PluginInstance instance;
    std::string error;
    if (!library.open(VANTOREL_CLAP_PATH, error) ||
        !instance.create(*library.factory(), *host.host(), error)) {
        ADD_FAILURE() << error;
        return signal;
    }
    instance.setParameter(clapParameter(instance, scenario.startSymbol), scenario.startValue);
    const clap_id changed = clapParameter(instance, scenario.changeSymbol);
    EXPECT_TRUE(instance.activate(scenario.sampleRate, 1, block));

    std::vector<float> left(block), right(block);
    float* channels[2] = {left.data(), right.data()};
    clap_audio_buffer_t output{channels, nullptr, 2, 0, 0};
    InputEventList in;
    OutputEventList out;
    out.reserve(1 << 16, 1024);
    auto midi = scenario.midi.begin();
    for (uint64_t frame = 0; frame < scenario.frames;) {
        const uint64_t end = blockEnd(scenario, frame, block, true);
        const clap_event_transport_t transport = clapTransport(songPositionAt(scenario, frame));
        in.clear();
        if (frame == scenario.changeFrame) {
            clap_event_param_value_t value{};
            value.header = {sizeof(value), 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
            value.param_id = changed;
            value.value = scenario.changeValue;
            in.add(value.header);
        }
        for (; midi != scenario.midi.end() && midi->frame < end; ++midi)
            in.add(clapMidi(static_cast<uint32_t>(midi->frame - frame), midi->bytes).header);
        clap_process_t data{};
        data.steady_time = static_cast<int64_t>(frame);
        data.frames_count = static_cast<uint32_t>(end - frame);
        data.transport = &transport;
        data.audio_outputs = &output;
        data.audio_outputs_count = 1;
        data.in_events = in.list();
        data.out_events = out.list();
        out.clear();
        EXPECT_EQ(instance.plugin()->process(instance.plugin(), &data), CLAP_PROCESS_CONTINUE);
        append(signal, left.data(), right.data(), end - frame);
        for (uint32_t i = 0; i < out.size(); ++i) {
            if (out.at(i).type != CLAP_EVENT_MIDI)
                continue;
            const clap_event_midi_t& sent = out.as<clap_event_midi_t>(i);
            signal.midi.push_back({frame + sent.header.time, {sent.data, sent.data + 3}});
        }
        frame = end;
    }
    return signal;
}

StereoSignal renderWithLv2(
    const GrooveScenario& scenario, uint32_t block, PositionStyle style, bool withOptions)
{
    StereoSignal signal;
    Lv2TestHost host;
    if (!host.start(scenario.sampleRate, block, withOptions)) {
        ADD_FAILURE() << "the LV2 plug-in was not found or refused to start";
        return signal;
    }
    EXPECT_TRUE(host.setControl(scenario.startSymbol.c_str(), scenario.startValue));
    const bool everyBlock = style == PositionStyle::EveryBlock;
    auto midi = scenario.midi.begin();
    for (uint64_t frame = 0; frame < scenario.frames;) {
        const uint64_t end = blockEnd(scenario, frame, block, everyBlock);
        if (frame == scenario.changeFrame)
            host.setControl(scenario.changeSymbol.c_str(), scenario.changeValue);
        // Positions and MIDI of the block, in frame order; a position comes before MIDI of its
        // frame.
        std::vector<uint64_t> positions;
        for (const TransportSegment& segment : scenario.segments)
            if (everyBlock ? segment.start <= frame : segment.start >= frame && segment.start < end)
                positions.push_back(everyBlock ? frame : segment.start);
        if (everyBlock)
            positions.resize(std::min<size_t>(positions.size(), 1));
        auto position = positions.begin();
        while (position != positions.end() || (midi != scenario.midi.end() && midi->frame < end)) {
            if (position != positions.end() &&
                (midi == scenario.midi.end() || midi->frame >= end || *position <= midi->frame)) {
                host.addPosition(static_cast<uint32_t>(*position - frame),
                    lv2Position(songPositionAt(scenario, *position)));
                ++position;
            } else {
                host.addMidi(static_cast<uint32_t>(midi->frame - frame), midi->bytes.data(),
                    static_cast<uint32_t>(midi->bytes.size()));
                ++midi;
            }
        }
        host.run(static_cast<uint32_t>(end - frame));
        append(signal, host.left(), host.right(), end - frame);
        for (Lv2TestHost::MidiOut& sent : host.lastMidiOutput()) {
            sent.bytes.resize(3); // as CLAP carries them
            signal.midi.push_back({frame + static_cast<uint64_t>(sent.frame), sent.bytes});
        }
        frame = end;
    }
    return signal;
}
