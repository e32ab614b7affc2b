// The twelve embedded stroke recordings: mono floats, one value per frame; read-only. [any-thread]
#pragma once
#include <cstdint>
struct StrokeRecording {
    const char* name; // table name, e.g. "dayan1"
    const float* values; // length values, never modified
    uint32_t length;
};
constexpr int kStrokeRecordingCount = 12;
// In table order: dayan1..dayan5, baya1..baya7.
const StrokeRecording* strokeRecordings() noexcept;
