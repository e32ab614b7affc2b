// The groove's MIDI output as a CLAP host gets it. For random grooves (patterns, lengths, tempos,
// tunes, sample rates, block sizes) the notes are held against the audio: each note, played as its
// voice's recording from its note on to its note off and mixed, gives the plug-in's output to the
// bit. And whatever the host does (refuse events, stop and start processing, flush, reactivate at
// another rate), it never sees a note off without its note on.
#include "ClapFixture.h"
#include "StereoBlock.h"
#include "StrokeRecordings.h"
#include "patch/StrokeMix.h"
#include "patch/StrokeTables.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <vector>

namespace {

// The key of each voice, in the patch's render order.
constexpr uint8_t kKeys[kVoiceCount] = {60, 62, 64, 61, 63, 48, 49, 50, 51, 52, 53, 54};

struct Note {
    uint64_t frame;
    uint8_t status, key, velocity;
};

int voiceOfKey(uint8_t key)
{
    const uint8_t* found = std::find(kKeys, kKeys + kVoiceCount, key);
    return found == kKeys + kVoiceCount ? -1 : static_cast<int>(found - kKeys);
}

// The MIDI of a block of `frames` frames, checked for its layout, at frames counted from
// `blockStart`.
void collectNotes(
    const OutputEventList& out, uint64_t blockStart, uint32_t frames, std::vector<Note>& notes)
{
    for (uint32_t i = 0; i < out.size(); ++i) {
        const auto& midi = out.as<clap_event_midi_t>(i);
        ASSERT_EQ(midi.header.type, CLAP_EVENT_MIDI);
        ASSERT_EQ(midi.header.size, sizeof(clap_event_midi_t));
        ASSERT_EQ(midi.port_index, 0u);
        ASSERT_LT(midi.header.time, frames) << "an event beyond its block";
        notes.push_back({blockStart + midi.header.time, midi.data[0], midi.data[1], midi.data[2]});
    }
}

// Channel 10, the table's keys and velocities; in time order, note offs first within a frame;
// each key's notes alternate on, off. Returns, per voice, whether its last note is still on.
std::vector<bool> expectWellFormed(const std::vector<Note>& notes)
{
    std::vector<bool> on(kVoiceCount, false);
    for (size_t i = 0; i < notes.size(); ++i) {
        const Note& note = notes[i];
        const bool noteOn = note.status == 0x99;
        EXPECT_TRUE(noteOn || note.status == 0x89) << "status " << int(note.status);
        EXPECT_EQ(note.velocity, noteOn ? 100 : 0);
        const int voice = voiceOfKey(note.key);
        if (voice < 0) {
            ADD_FAILURE() << "key " << int(note.key);
            continue;
        }
        EXPECT_NE(on[voice], noteOn) << "key " << int(note.key) << " at frame " << note.frame;
        on[voice] = noteOn;
        if (i == 0)
            continue;
        const Note& before = notes[i - 1];
        EXPECT_LE(before.frame, note.frame);
        if (before.frame == note.frame) {
            EXPECT_FALSE(before.status == 0x99 && !noteOn) << "note off after a note on";
        }
    }
    return on;
}

// A voice's sound from its trigger on: its recording read at `rate` from position 0, the
// Catmull-Rom value at fractional positions, until the position passes the recording's end.
std::vector<float> strokeSound(const StrokeRecording& recording, double rate)
{
    const float* x = recording.values;
    const uint32_t length = recording.length;
    std::vector<float> sound;
    for (double p = 0.0; std::floor(p) < length; p += rate) {
        const auto i = static_cast<uint32_t>(p);
        if (rate == 1.0) {
            sound.push_back(x[i]);
            continue;
        }
        const float f = static_cast<float>(p - i);
        const float xm1 = i >= 1 ? x[i - 1] : 0.0f;
        const float x0 = x[i];
        const float x1 = i + 1 < length ? x[i + 1] : 0.0f;
        const float x2 = i + 2 < length ? x[i + 2] : 0.0f;
        const float c1 = 0.5f * (x1 - xm1);
        const float c2 = ((xm1 - 2.5f * x0) + 2.0f * x1) - 0.5f * x2;
        const float c3 = 0.5f * (x2 - xm1) + 1.5f * (x0 - x1);
        sound.push_back(((c3 * f + c2) * f + c1) * f + x0);
    }
    return sound;
}

class MidiOutputTest : public ClapFixture {
protected:
    void setParameter(const char* symbol, double value)
    {
        clap_param_info_t info{};
        ASSERT_TRUE(instance->findParameter(symbol, info)) << symbol;
        instance->setParameter(info.id, value);
    }
};

TEST_F(MidiOutputTest, NotesAreTheAudioOfSingleVoices)
{
    std::mt19937 random(2112);
    const double rates[] = {48000.0, 44100.0, 96000.0, 48000.0, 22050.0, 44100.0, 96000.0, 48000.0};
    for (int g = 0; g < 8; ++g) {
        recreateInstance();
        const double rate = rates[g];
        // The first groove untuned at 48 kHz: every voice on the exact path.
        const double dayanTune = g == 0 ? 0.0 : (random() % 2401) / 100.0 - 12.0;
        const double bayaTune = g == 0 ? 0.0 : (random() % 2401) / 100.0 - 12.0;
        const double bpm = 90.0 + random() % 110;
        setParameter("dayan_pattern", 1 + random() % 1337);
        setParameter("dayan_length", 4 + random() % 13);
        setParameter("dayan_tempo", random() % 5);
        setParameter("baya_pattern", 1 + random() % 1337);
        setParameter("baya_length", 4 + random() % 13);
        setParameter("baya_tempo", random() % 5);
        setParameter("dayan_tune", dayanTune);
        setParameter("baya_tune", bayaTune);
        ASSERT_TRUE(instance->activate(rate, 1, 1024));

        const uint64_t frames = static_cast<uint64_t>(rate * 8);
        BlockRenderer renderer(*instance, TransportTimeline(rate, bpm, 4, 4), 1024);
        std::vector<float> left, right;
        std::vector<Note> notes;
        while (renderer.position() < frames) {
            const uint64_t start = renderer.position();
            const auto count =
                static_cast<uint32_t>(std::min<uint64_t>(1 + random() % 1024, frames - start));
            ASSERT_EQ(renderer.processBlock(count), CLAP_PROCESS_CONTINUE);
            left.insert(left.end(), renderer.left(), renderer.left() + count);
            right.insert(right.end(), renderer.right(), renderer.right() + count);
            collectNotes(renderer.lastBlockOutput(), start, count, notes);
        }
        ASSERT_GE(notes.size(), 16u) << "groove " << g << " hardly plays";
        expectWellFormed(notes);
        ASSERT_FALSE(HasFailure()) << "groove " << g;

        // Each note is its voice's sound from note on to note off (or the render's end).
        std::vector<std::vector<float>> sounds(kVoiceCount);
        for (int v = 0; v < kVoiceCount; ++v) {
            // The plug-in holds its values as floats.
            const double tune = static_cast<float>(v < kBaya1 ? dayanTune : bayaTune);
            sounds[v] = strokeSound(
                strokeRecordings()[kVoiceTable[v]], (48000.0 / rate) * std::exp2(tune / 12.0));
        }
        std::vector<std::vector<float>> slots(kVoiceCount, std::vector<float>(frames, 0.0f));
        std::map<int, uint64_t> started;
        const auto play = [&](int voice, uint64_t end) {
            const uint64_t from = started[voice];
            started.erase(voice);
            const std::vector<float>& sound = sounds[voice];
            ASSERT_LE(from, end);
            ASSERT_LE(end, frames);
            ASSERT_LE(end - from, sound.size())
                << "key " << int(kKeys[voice]) << " still on past its sound, at " << end;
            std::copy(sound.begin(), sound.begin() + (end - from), slots[voice].begin() + from);
        };
        for (const Note& note : notes) {
            const int voice = voiceOfKey(note.key);
            if (note.status == 0x99)
                started[voice] = note.frame;
            else
                play(voice, note.frame);
        }
        // Notes still on at the end must still sound there.
        while (!started.empty())
            play(started.begin()->first, frames);
        for (uint64_t i = 0; i < frames; ++i) {
            float frame[kVoiceCount][1];
            for (int v = 0; v < kVoiceCount; ++v)
                frame[v][0] = slots[v][i];
            float expectedLeft, expectedRight;
            mixStrokes(frame, 0, &expectedLeft, &expectedRight);
            ASSERT_EQ(left[i], expectedLeft) << "groove " << g << ", frame " << i;
            ASSERT_EQ(right[i], expectedRight) << "groove " << g << ", frame " << i;
        }
        instance->deactivate();
    }
}

// Refused events, processing stopped and started, flushes, a reactivation at the same rate and
// one at another: the notes the host got still pair up, refused note offs come later rather than
// never, and the first block at the new rate ends every note still on.
TEST_F(MidiOutputTest, TheHostNeverSeesANoteOffWithoutItsNoteOn)
{
    setParameter("dayan_tempo", 0);
    setParameter("baya_tempo", 0);
    ASSERT_TRUE(instance->activate(48000.0, 1, 256));
    StereoBlock io;
    std::vector<Note> notes;
    uint64_t position = 0;
    std::mt19937 random(7);
    const auto block = [&](double rate, bool refuse) {
        const clap_event_transport_t transport = TransportTimeline(rate, 180.0, 4, 4).at(position);
        clap_process_t data = io.processData(256, &transport, static_cast<int64_t>(position));
        io.out.clear();
        io.out.setCapacity(refuse ? random() % 2 : UINT32_MAX);
        ASSERT_EQ(plugin()->process(plugin(), &data), CLAP_PROCESS_CONTINUE);
        collectNotes(io.out, position, 256, notes);
        position += 256;
    };
    for (int b = 0; b < 300; ++b) {
        if (b % 40 == 20) {
            plugin()->stop_processing(plugin());
            setParameter("dayan_pattern", b); // through the parameter flush
            ASSERT_TRUE(plugin()->start_processing(plugin()));
        }
        if (b == 150) {
            instance->deactivate();
            ASSERT_TRUE(instance->activate(48000.0, 1, 256));
        }
        block(48000.0, random() % 4 == 0);
    }
    const size_t refusalPhase = notes.size();
    // Longer than the longest stroke: every note the refusals left on has ended since.
    for (int b = 0; b < 400; ++b)
        block(48000.0, false);
    std::vector<bool> on = expectWellFormed(notes);
    for (size_t i = 0; i < refusalPhase; ++i) {
        if (notes[i].status != 0x99)
            continue;
        const auto off = std::find_if(notes.begin() + i + 1, notes.end(),
            [&](const Note& note) { return note.key == notes[i].key; });
        EXPECT_NE(off, notes.end()) << "key " << int(notes[i].key) << " never ended";
    }
    ASSERT_NE(std::find(on.begin(), on.end(), true), on.end()) << "nothing left sounding";

    instance->deactivate();
    ASSERT_TRUE(instance->activate(44100.0, 1, 256));
    const size_t before = notes.size();
    const uint64_t start = position;
    block(44100.0, false);
    for (int v = 0; v < kVoiceCount; ++v) {
        if (!on[v])
            continue;
        const auto off = std::find_if(notes.begin() + before, notes.end(),
            [&](const Note& note) { return note.key == kKeys[v]; });
        ASSERT_NE(off, notes.end()) << "key " << int(kKeys[v]) << " left on";
        EXPECT_EQ(off->status, 0x89);
        EXPECT_EQ(off->frame, start);
    }
    expectWellFormed(notes);
}

} // namespace
