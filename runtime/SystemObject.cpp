// Answers questions about the context: sample rate, channel counts, current time, table sizes.
// Audio thread only.
#include "SystemObject.h"

#include "KrellContext.h"
#include "ObjectMessages.h"
#include "Table.h"

namespace {

constexpr uint32_t kSampleRate = hashString("samplerate");
constexpr uint32_t kInputChannels = hashString("numInputChannels");
constexpr uint32_t kOutputChannels = hashString("numOutputChannels");
constexpr uint32_t kCurrentTime = hashString("currentTime");
constexpr uint32_t kTable = hashString("table");
constexpr uint32_t kLength = hashString("length");
constexpr uint32_t kSize = hashString("size");
constexpr uint32_t kHead = hashString("head");

// "table <name> <field>": the field of the named table, or false when either is unknown.
bool tableField(KrellContext* context, const Message* m, float* value) noexcept
{
    if (!hashLikeAt(m, 1))
        return false;
    const Table* table = context->findTable(m->hashAt(1));
    if (table == nullptr)
        return false;
    switch (selectorAt(m, 2)) {
    case kLength:
        *value = static_cast<float>(table->length());
        return true;
    case kSize:
        *value = static_cast<float>(table->size());
        return true;
    case kHead:
        *value = static_cast<float>(table->head());
        return true;
    default:
        return false;
    }
}

} // namespace

void SystemObject::onMessage(
    KrellContext* context, int inlet, const Message* m, SendFunction out) noexcept
{
    if (inlet != 0)
        return;
    float value = 0.0f;
    switch (selectorAt(m, 0)) {
    case kSampleRate:
        value = static_cast<float>(context->sampleRate());
        break;
    case kInputChannels:
        value = static_cast<float>(context->inputChannelCount());
        break;
    case kOutputChannels:
        value = static_cast<float>(context->outputChannelCount());
        break;
    case kCurrentTime:
        value = static_cast<float>(m->timestamp);
        break;
    case kTable:
        if (!tableField(context, m, &value))
            return;
        break;
    default:
        return;
    }
    sendFloat(context, out, 0, m->timestamp, value);
}
