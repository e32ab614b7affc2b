// Helpers shared by the wiring of the groove graph: how its switches read a message and how it
// builds the small messages it passes on. [audio-thread] (message handlers in processBlock).
#pragma once

#include <cstdint>

#include "runtime/KrellContext.h"
#include "runtime/Message.h"
#include "runtime/ObjectMessages.h"

// Every outlet function receives the patch as the interface; every object works on the context.
inline KrellContext* contextOf(KrellContextInterface* context) noexcept
{
    return static_cast<KrellContext*>(context);
}

// Outlets that lead nowhere.
void ignoreOutlet(KrellContextInterface* context, int outlet, const Message* m) noexcept;

// The hash a selector test looks at: element 0's, or element 1's when element 0 is the word
// "symbol". False when the message has no such element.
bool selectorHash(const Message* m, uint32_t* hash) noexcept;

// Value switch: the index of the listed float whose bit pattern the selector hash equals, or -1.
// Only exact values match (2.5 or -0.0 never match 2 or 0).
int matchExactValue(const Message* m, const float* values, int count) noexcept;
inline bool isExactZero(const Message* m) noexcept
{
    constexpr float kZero[] = {0.0f};
    return matchExactValue(m, kZero, 1) == 0;
}

// The message "word $1": [word, element 0 of m]; nothing when m is empty.
void sendWordWithFirst(
    KrellContextInterface* context, SendFunction to, const char* word, const Message* m) noexcept;
