// Stroke voice commands. Audio thread only.
#include "StrokeVoice.h"

#include "runtime/Message.h"

void StrokeVoice::bind(Table* table) noexcept {
    fPlayer.init(table, false);
}

void StrokeVoice::trigger(KrellContext* context, uint32_t timestamp) noexcept {
    MessageStorage<1> storage;
    fPlayer.onMessage(context, 0, Message::initWithBang(&storage, timestamp), &ignoreFinished);
}

void StrokeVoice::stop(KrellContext* context, uint32_t timestamp) noexcept {
    MessageStorage<1> storage;
    // A symbol, not a hash: the player ignores a pre-hashed "stop".
    fPlayer.onMessage(context, 0, Message::initWithSymbol(&storage, timestamp, "stop"), &ignoreFinished);
}

void StrokeVoice::ignoreFinished(KrellContextInterface*, int, const Message*) noexcept {}
