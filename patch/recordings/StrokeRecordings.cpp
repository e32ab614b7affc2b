// Lists the stroke tables embedded by StrokeTables.S; constant data, safe from any thread.
#include "StrokeRecordings.h"

#include "StrokeTableList.h"

#define DECLARE_STROKE_TABLE(name, frames)                                                         \
    extern "C" __attribute__((visibility("hidden"))) const float vantorel_stroke_##name[];
VANTOREL_STROKE_TABLES(DECLARE_STROKE_TABLE)

namespace {

#define STROKE_RECORDING(name, frames) {#name, vantorel_stroke_##name, frames},
constexpr StrokeRecording kRecordings[] = {VANTOREL_STROKE_TABLES(STROKE_RECORDING)};
static_assert(sizeof kRecordings / sizeof kRecordings[0] == kStrokeRecordingCount);

} // namespace

const StrokeRecording* strokeRecordings() noexcept
{
    return kRecordings;
}
