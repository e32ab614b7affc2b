// The editor-to-audio queue of one CLAP instance. Append side: the main thread (editor); drain
// side: the audio thread, inline in the header.
#include "ClapEventQueue.h"

namespace Orvane {

ClapEventQueue::ClapEventQueue()
{
    // Recursive, and priority-inheriting so that an editor holding it is hurried along by the
    // audio thread's try-lock.
    pthread_mutexattr_t attributes;
    pthread_mutexattr_init(&attributes);
    pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE);
    pthread_mutexattr_setprotocol(&attributes, PTHREAD_PRIO_INHERIT);
    pthread_mutex_init(&fMutex, &attributes);
    pthread_mutexattr_destroy(&attributes);

    fNotesWriter.setRingBuffer(&fNotesBuffer, false);
}

ClapEventQueue::~ClapEventQueue()
{
    pthread_mutex_destroy(&fMutex);
}

void ClapEventQueue::editParameter(uint32_t index, bool started)
{
    append(QueuedEvent{started ? QueuedEvent::GestureBegin : QueuedEvent::GestureEnd, index, 0.0f});
}

void ClapEventQueue::setParameter(uint32_t index, float value)
{
    append(QueuedEvent{QueuedEvent::ParamSet, index, value});
}

void ClapEventQueue::append(const QueuedEvent& event)
{
    pthread_mutex_lock(&fMutex);
    // Grows in steps of 8, then doubles, so that appends during a drag rarely allocate.
    if (fQueuedEvents.size() == fQueuedEvents.capacity())
        fQueuedEvents.reserve(fQueuedEvents.capacity() == 0 ? 8 : fQueuedEvents.capacity() * 2);
    fQueuedEvents.push_back(event);
    fHasQueuedEvents.store(true, std::memory_order_release);
    pthread_mutex_unlock(&fMutex);
}

bool ClapEventQueue::sendNote(uint8_t channel, uint8_t note, uint8_t velocity) noexcept
{
    const uint8_t status = static_cast<uint8_t>((velocity != 0 ? 0x90 : 0x80) + (channel & 0x0F));
    const uint8_t record[3] = {status, note, velocity};
    // A failed write makes the commit discard the record and report it.
    static_cast<void>(fNotesWriter.writeCustomData(record, sizeof(record)));
    return fNotesWriter.commitWrite();
}

} // namespace Orvane
