// One stroke's voice: reads the stroke's table at a playback rate from a fractional position, and
// takes the two commands the sequencer sends it. The rate follows the host's sample rate and the
// drum's Tune. It reports each trigger and release to the patch's stroke event log.
// [audio-thread], except bind on the main thread at construction.
#pragma once

#include <cstdint>

class StrokeEventLog;
class Table;

// Table values a voice advances per output frame: the recordings are 48 kHz, and `tune` (in
// semitones) raises or lowers them. Exactly 1.0 at 48 kHz with tune 0. A sample rate that is not
// a positive number counts as 48 kHz, so that the position always moves forward.
double strokePlaybackRate(double sampleRate, float tune) noexcept;

class StrokeVoice {
public:
    // Binds the voice to its table, idle, at position 0; it reports to `events` as voice `id`.
    void bind(Table* table, double rate, int id, StrokeEventLog* events) noexcept;
    // Takes effect from the next rendered frame; a sounding voice continues from its position.
    void setRate(double rate) noexcept { fRate = rate; }

    // Plays the table from its first value on, restarting a voice that still sounds.
    void trigger() noexcept;
    // Silences the voice from the current frame on.
    void stop() noexcept;

    // The voice's output for the next n frames, the first of them frame `firstFrame` of the
    // block (0 when idle). At rate 1.0 a frame is the table value at the position; at any other
    // rate, the Catmull-Rom value between its neighbours.
    void render(float* out, int n, uint32_t firstFrame) noexcept;

private:
    // Each renders up to n frames of table x and returns how many sounded before the voice
    // reached the table's end. renderWholeSteps: rate 1.0 from a whole position only.
    int renderWholeSteps(const float* x, uint32_t length, float* out, int n) noexcept;
    int renderFrames(const float* x, uint32_t length, float* out, int n) noexcept;

    Table* fTable = nullptr;
    double fPosition = 0.0;
    double fRate = 1.0;
    bool fPlaying = false;
    StrokeEventLog* fEvents = nullptr;
    int fId = 0;
};
