// Stores a float or a name hash; a bang re-emits it. [audio-thread]
#pragma once

#include "KrellContextInterface.h"
#include "Message.h"

class KrellContext;

struct VarObject {
    ElementType type = ElementType::Float;
    bool hasValue = false;
    union {
        float f;
        uint32_t h;
    } value{};

    void initFloat(float f) noexcept;
    void initName(const char* name) noexcept; // stores hashString(name) as a Hash
    // Inlet 0: bang emits the value; float/symbol/hash stores it and passes the message on.
    // Inlet 1: stores without output.
    void onMessage(KrellContext* context, int inlet, const Message* m, SendFunction out) noexcept;
};
