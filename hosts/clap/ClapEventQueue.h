// What the editor hands to the audio thread of one CLAP instance: parameter gestures and values
// (a list under a mutex: the editor appends, waiting; the audio thread drains with a try-lock and
// never waits), notes (a lock-free byte ring) and, the other way, the cached parameter values.
#pragma once

#include "CachedParameters.h"
#include "RingBufferControl.h"
#include "SmallStackRingBuffer.h"

#include <pthread.h>

#include <atomic>
#include <cstdint>
#include <vector>

namespace Orvane {

struct QueuedEvent {
    enum Kind : uint32_t {
        GestureBegin = 0,
        GestureEnd = 1,
        ParamSet = 2
    };

    Kind kind;
    uint32_t index;
    float value;
};

class ClapEventQueue {
public:
    ClapEventQueue();
    ~ClapEventQueue();

    ClapEventQueue(const ClapEventQueue&) = delete;
    ClapEventQueue& operator=(const ClapEventQueue&) = delete;

    // [main-thread] Editor entry points; may allocate and wait for the mutex.
    void editParameter(uint32_t index, bool started);
    void setParameter(uint32_t index, float value);
    // [main-thread] False, with the note dropped (and one line printed), when the ring is full.
    [[nodiscard]] bool sendNote(uint8_t channel, uint8_t note, uint8_t velocity) noexcept;

    // [audio-thread] Hands every queued event to `visit` in order and empties the list, unless the
    // editor holds the mutex, in which case they wait for a later block. False when busy.
    template <typename Visitor> [[nodiscard]] bool drainQueuedEvents(Visitor&& visit) noexcept
    {
        // Most blocks find nothing queued; they need not touch the mutex.
        if (!fHasQueuedEvents.load(std::memory_order_acquire))
            return true;
        if (pthread_mutex_trylock(&fMutex) != 0)
            return false;
        for (const QueuedEvent& event : fQueuedEvents)
            visit(event);
        fQueuedEvents.clear(); // keeps the capacity: no allocation on the audio thread
        fHasQueuedEvents.store(false, std::memory_order_relaxed);
        pthread_mutex_unlock(&fMutex);
        return true;
    }

    // [any-thread] The notes ring's storage (the audio thread's reader attaches to it) and the
    // values the audio thread caches for the editor.
    SmallStackRingBuffer& notesBuffer() noexcept { return fNotesBuffer; }
    CachedParameters& cachedParameters() noexcept { return fCachedParameters; }

private:
    SmallStackRingBuffer fNotesBuffer;
    CachedParameters fCachedParameters;
    pthread_mutex_t fMutex;
    std::vector<QueuedEvent> fQueuedEvents;
    // Set with the first event appended, cleared when drained; both under the mutex.
    std::atomic<bool> fHasQueuedEvents{false};
    RingBufferControl fNotesWriter;

    void append(const QueuedEvent& event);
};

} // namespace Orvane
