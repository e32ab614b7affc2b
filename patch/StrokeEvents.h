// What the twelve voices did in one block: every trigger and every release of a voice, at its
// frame. The MIDI output and the editor's step display read it after processBlock; it is written
// only by the voices, so it is the one place that says when a stroke starts and ends.
// [audio-thread] Written inside processBlock, read by the thread that called it, after it.
#pragma once

#include <cstdint>

#include "StrokeTables.h"

enum class StrokeEventKind : uint8_t {
    // A stopped voice starts (its table from value 0), or a sounding one restarts.
    Trigger,
    // A sounding voice falls silent: stopped, restarted (then a Trigger at the same frame), or at
    // the end of its table (the frame of its first 0).
    Release,
};

// Eight bytes: frame within the block, the voice (a VoiceId, in render order) and what it did.
struct StrokeEvent {
    uint32_t frame;
    uint8_t voice;
    StrokeEventKind kind;
};

// Per block, in this order: by frame; within a frame every release before every trigger, the
// releases in voice render order, the triggers in the order the sequencer gave them. A voice that
// starts and is stopped within one frame never sounded: both events are left out. So each voice's
// events alternate trigger, release across blocks, and every frame of a voice's sound lies
// between its trigger and its release. Events beyond kCapacity in one block are counted and lost.
class StrokeEventLog {
public:
    static constexpr int kCapacity = 1024;

    // Called by the patch's block loop: start a block, set the frame at which the messages being
    // dispatched act, put the block's events in order when it is rendered.
    void beginBlock() noexcept;
    void setFrame(uint32_t frame) noexcept { fFrame = frame; }
    void finishBlock() noexcept;

    // Called by the voices. A trigger acts at the current frame; a release at `frame`.
    void trigger(int voice) noexcept;
    void release(int voice, uint32_t frame) noexcept;
    uint32_t frame() const noexcept { return fFrame; }

    // The events of the latest block, in the order above.
    const StrokeEvent* begin() const noexcept { return fEvents; }
    const StrokeEvent* end() const noexcept { return fEvents + fCount; }
    int count() const noexcept { return fCount; }
    // Events lost to a full log since the patch was created.
    uint64_t dropped() const noexcept { return fDropped; }

private:
    StrokeEvent fEvents[kCapacity];
    int fCount = 0;
    uint32_t fFrame = 0;
    // Where each voice's trigger of this block sits in fEvents, or -1.
    int fTriggerAt[kVoiceCount] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    // Triggers taken back by a release at their own frame, left for finishBlock to remove.
    bool fHasCancelled = false;
    uint64_t fDropped = 0;

    bool append(int voice, StrokeEventKind kind, uint32_t frame) noexcept;
};
