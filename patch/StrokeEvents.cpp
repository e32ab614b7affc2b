// The block's stroke events. Audio thread only.
#include "StrokeEvents.h"

namespace {

// Marks a trigger taken back within its frame; finishBlock removes it.
constexpr uint8_t kCancelled = 0xFF;

// The order of a block's events; triggers of one frame keep the order they came in.
bool comesBefore(const StrokeEvent& a, const StrokeEvent& b) noexcept
{
    if (a.frame != b.frame)
        return a.frame < b.frame;
    if (a.kind != b.kind)
        return a.kind == StrokeEventKind::Release;
    return a.kind == StrokeEventKind::Release && a.voice < b.voice;
}

} // namespace

void StrokeEventLog::beginBlock() noexcept
{
    fCount = 0;
    fFrame = 0;
    fHasCancelled = false;
    for (int& at : fTriggerAt)
        at = -1;
}

bool StrokeEventLog::append(int voice, StrokeEventKind kind, uint32_t frame) noexcept
{
    if (fCount == kCapacity) {
        ++fDropped;
        return false;
    }
    fEvents[fCount++] = StrokeEvent{frame, static_cast<uint8_t>(voice), kind};
    return true;
}

void StrokeEventLog::trigger(int voice) noexcept
{
    if (voice < 0 || voice >= kVoiceCount)
        return;
    fTriggerAt[voice] = append(voice, StrokeEventKind::Trigger, fFrame) ? fCount - 1 : -1;
}

void StrokeEventLog::release(int voice, uint32_t frame) noexcept
{
    if (voice < 0 || voice >= kVoiceCount)
        return;
    const int at = fTriggerAt[voice];
    if (at >= 0 && fEvents[at].frame == frame) {
        // Started and stopped within one frame: not a sample of it was heard.
        fEvents[at].voice = kCancelled;
        fTriggerAt[voice] = -1;
        fHasCancelled = true;
        return;
    }
    append(voice, StrokeEventKind::Release, frame);
}

// The events arrive almost in order (only voices ending by themselves within one stretch of
// rendering come voice by voice), so an insertion sort does little work and needs no memory.
void StrokeEventLog::finishBlock() noexcept
{
    int kept = 0;
    for (int i = 0; i < fCount; ++i) {
        const StrokeEvent event = fEvents[i];
        if (fHasCancelled && event.voice == kCancelled)
            continue;
        int at = kept++;
        for (; at > 0 && comesBefore(event, fEvents[at - 1]); --at)
            fEvents[at] = fEvents[at - 1];
        fEvents[at] = event;
    }
    fCount = kept;
}
