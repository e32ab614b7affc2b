// Reading inputs and emitting one-element messages: shared by the control and signal objects.
// [audio-thread]
#pragma once

#include <cstdint>

#include "KrellContextInterface.h"
#include "Message.h"

// Element tests that also hold for messages shorter than the index (never read past the end).
inline bool floatAt(const Message* m, int i) noexcept
{
    return i < m->numElements && m->isFloat(i);
}
inline bool hashLikeAt(const Message* m, int i) noexcept
{
    return i < m->numElements && m->isHashLike(i);
}
inline bool bangAt(const Message* m, int i) noexcept
{
    return i < m->numElements && m->isBang(i);
}
// The name hash of element i when it is a symbol or a hash, else 0 (no selector hashes to 0).
inline uint32_t selectorAt(const Message* m, int i) noexcept
{
    return hashLikeAt(m, i) ? m->hashAt(i) : 0;
}

inline void sendFloat(KrellContextInterface* context, SendFunction out, int outlet,
    uint32_t timestamp, float value) noexcept
{
    MessageStorage<1> storage;
    out(context, outlet, Message::initWithFloat(&storage, timestamp, value));
}

inline void sendBang(
    KrellContextInterface* context, SendFunction out, int outlet, uint32_t timestamp) noexcept
{
    MessageStorage<1> storage;
    out(context, outlet, Message::initWithBang(&storage, timestamp));
}
