// The MIDI a plug-in sent during a render, written as a Standard MIDI File: format 0, 960 ticks
// per quarter note, the track named "Vantorel", tempo and time signature at tick 0, each message
// at the tick of its frame, a note off for every note still on at the render's last frame, end of
// track. Main thread (the render loop's thread).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class MidiFileWriter {
public:
    // The render's timing: quarter notes at `beatsPerMinute`, the bar's time signature.
    MidiFileWriter(
        double sampleRate, double beatsPerMinute, uint16_t beatsPerBar, uint16_t beatType);
    ~MidiFileWriter();

    MidiFileWriter(const MidiFileWriter&) = delete;
    MidiFileWriter& operator=(const MidiFileWriter&) = delete;

    // Creates the file at once, so that a bad path is known before the render; false with a
    // one-line `error` when it cannot be.
    bool open(const std::string& path, std::string& error);
    // A channel message (note on, note off, ...) of up to three bytes at `frame` of the render,
    // frames in the order they came; other messages are left out.
    void add(uint64_t frame, const uint8_t (&bytes)[3]);
    // Ends the notes still on at `lastFrame`, ends the track and writes the file; false when
    // writing failed.
    bool close(uint64_t lastFrame);

    // The tick of a frame: frame x bpm x 960 / (60 x rate), rounded half up.
    uint64_t tickOf(uint64_t frame) const noexcept;
    // Whether the file's three-byte tempo (microseconds per quarter note) can state this tempo:
    // from about 3.58 beats per minute up.
    static bool holdsTempo(double beatsPerMinute) noexcept;
    // Note ons written so far.
    uint64_t noteCount() const noexcept { return fNoteCount; }

private:
    double fSampleRate;
    double fBeatsPerMinute;
    uint16_t fBeatsPerBar;
    uint16_t fBeatType;
    std::FILE* fFile = nullptr;
    std::vector<uint8_t> fTrack;
    uint64_t fLastTick = 0;
    uint64_t fNoteCount = 0;
    // Notes on, per channel and key: the closing note offs end them.
    bool fOn[16][128] = {};

    void event(uint64_t tick, const uint8_t* bytes, uint32_t size);
    void metaEvents();
};
