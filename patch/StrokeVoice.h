// One stroke's voice: a table player bound to the stroke's table for the life of the patch, with
// the two commands the sequencer sends it. It reports each trigger and release to the patch's
// stroke event log. [audio-thread]
#pragma once

#include <cstdint>

#include "runtime/TablePlayer.h"

class KrellContext;
class StrokeEventLog;
class Table;

class StrokeVoice {
public:
    // Binds the voice to its table, idle, at head 0; it reports to `events` as voice `id`.
    void bind(Table* table, int id, StrokeEventLog* events) noexcept;

    // Plays the table from its first value on, restarting a voice that still sounds.
    void trigger(KrellContext* context, uint32_t timestamp) noexcept;
    // Silences the voice from the current frame on.
    void stop(KrellContext* context, uint32_t timestamp) noexcept;

    // The voice's output for the next n frames, the first of them frame `firstFrame` of the
    // block, as n player steps would give it (0 when idle).
    void render(KrellContext* context, float* out, int n, uint32_t firstFrame) noexcept;

private:
    TablePlayer fPlayer;
    StrokeEventLog* fEvents = nullptr;
    int fId = 0;
};
