// Selector tests and message building for the groove graph. Audio thread only.
#include "PatchMessages.h"

#include <cstring>

namespace {
constexpr uint32_t kSymbolWordHash = hashString("symbol");

uint32_t bitsOf(float value) noexcept
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}
} // namespace

void ignoreOutlet(KrellContextInterface*, int, const Message*) noexcept
{
}

bool selectorHash(const Message* m, uint32_t* hash) noexcept
{
    if (m->numElements == 0)
        return false;
    uint32_t first = m->hashAt(0);
    if (first != kSymbolWordHash) {
        *hash = first;
        return true;
    }
    if (m->numElements < 2)
        return false;
    *hash = m->hashAt(1);
    return true;
}

int matchExactValue(const Message* m, const float* values, int count) noexcept
{
    uint32_t hash;
    if (!selectorHash(m, &hash))
        return -1;
    for (int i = 0; i < count; ++i) {
        if (bitsOf(values[i]) == hash)
            return i;
    }
    return -1;
}

void sendWordWithFirst(
    KrellContextInterface* context, SendFunction to, const char* word, const Message* m) noexcept
{
    if (m->numElements == 0)
        return;
    MessageStorage<2> storage;
    Message* out = Message::init(&storage, m->timestamp, 2);
    out->setSymbol(0, word);
    out->copyElement(1, m, 0);
    to(context, 0, out);
}
