// Stores a float or a name hash; a bang re-emits it. Audio thread only.
#include "VarObject.h"

#include "KrellContext.h"
#include "ObjectMessages.h"

void VarObject::initFloat(float f) noexcept
{
    type = ElementType::Float;
    value.f = f;
    hasValue = true;
}

void VarObject::initName(const char* name) noexcept
{
    type = ElementType::Hash;
    value.h = hashString(name);
    hasValue = true;
}

void VarObject::onMessage(
    KrellContext* context, int inlet, const Message* m, SendFunction out) noexcept
{
    if (inlet != 0 && inlet != 1)
        return;
    if (floatAt(m, 0)) {
        type = ElementType::Float;
        value.f = m->floatAt(0);
    } else if (hashLikeAt(m, 0)) {
        type = ElementType::Hash;
        value.h = m->hashAt(0);
    } else {
        if (inlet == 0 && bangAt(m, 0) && hasValue) {
            MessageStorage<1> storage;
            const Message* stored = type == ElementType::Float
                ? Message::initWithFloat(&storage, m->timestamp, value.f)
                : Message::initWithHash(&storage, m->timestamp, value.h);
            out(context, 0, stored);
        }
        return;
    }
    hasValue = true;
    if (inlet == 0)
        out(context, 0, m);
}
