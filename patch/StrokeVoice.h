// One stroke's voice: a table player bound to the stroke's table for the life of the patch, with
// the two commands the sequencer sends it. [audio-thread]
#pragma once

#include <cstdint>

#include "runtime/TablePlayer.h"

class KrellContext;
class Table;

class StrokeVoice {
public:
    // Binds the voice to its table, idle, at head 0.
    void bind(Table* table) noexcept;

    // Plays the table from its first value on, restarting a voice that still sounds.
    void trigger(KrellContext* context, uint32_t timestamp) noexcept;
    // Silences the voice from the current frame on.
    void stop(KrellContext* context, uint32_t timestamp) noexcept;

    // The voice's output for the next n frames, as n player steps would give it (0 when idle).
    void render(KrellContext* context, float* out, int n) noexcept;

private:
    TablePlayer fPlayer;
};
