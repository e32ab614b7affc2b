// Stroke voice commands and rendering. Audio thread only.
#include "StrokeVoice.h"

#include <algorithm>
#include <cstring>

#include "PatchMessages.h"
#include "StrokeEvents.h"
#include "runtime/Message.h"
#include "runtime/Table.h"

void StrokeVoice::bind(Table* table, int id, StrokeEventLog* events) noexcept
{
    fPlayer.init(table, false);
    fId = id;
    fEvents = events;
}

void StrokeVoice::trigger(KrellContext* context, uint32_t timestamp) noexcept
{
    if (fPlayer.playing)
        fEvents->release(fId, fEvents->frame());
    fEvents->trigger(fId);
    MessageStorage<1> storage;
    fPlayer.onMessage(context, 0, Message::initWithBang(&storage, timestamp), &ignoreOutlet);
}

void StrokeVoice::stop(KrellContext* context, uint32_t timestamp) noexcept
{
    if (fPlayer.playing)
        fEvents->release(fId, fEvents->frame());
    MessageStorage<1> storage;
    // A symbol, not a hash: the player ignores a pre-hashed "stop".
    fPlayer.onMessage(
        context, 0, Message::initWithSymbol(&storage, timestamp, "stop"), &ignoreOutlet);
}

void StrokeVoice::render(KrellContext* context, float* out, int n, uint32_t firstFrame) noexcept
{
    const bool wasPlaying = fPlayer.playing;
    int i = 0;
    while (i < n && fPlayer.playing) {
        // While head is below both the end and the allocated count, a player step only reads
        // table[head++]: that run is copied at once. Every other frame is the player's own step.
        const uint32_t readable = std::min(fPlayer.end, fPlayer.table->allocated());
        if (fPlayer.head < readable) {
            const uint32_t run = std::min(readable - fPlayer.head, static_cast<uint32_t>(n - i));
            std::memcpy(out + i, fPlayer.table->buffer() + fPlayer.head, run * sizeof(float));
            fPlayer.head += run;
            i += static_cast<int>(run);
        } else {
            out[i++] = fPlayer.process(context, &ignoreOutlet);
        }
    }
    // The step that stopped the player output the voice's first 0: its release falls there.
    if (wasPlaying && !fPlayer.playing)
        fEvents->release(fId, firstFrame + static_cast<uint32_t>(i) - 1);
    // An idle player outputs 0 and changes nothing, so its steps can be skipped.
    std::fill(out + i, out + n, 0.0f);
}
