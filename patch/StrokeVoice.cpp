// Stroke voice playback. Audio thread only. This file is compiled without floating-point
// contraction: each operation of the interpolation is rounded on its own, in the association
// written here, so that every build and every host renders the same values.
#include "StrokeVoice.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "StrokeEvents.h"
#include "runtime/Table.h"

namespace {
constexpr double kRecordingRate = 48000.0;

// The value at i + f from the four table values around it, taking 0 outside the table.
float catmullRom(const float* x, uint32_t length, uint32_t i, float f) noexcept
{
    const float xm1 = i >= 1 ? x[i - 1] : 0.0f;
    const float x0 = x[i];
    const float x1 = i + 1 < length ? x[i + 1] : 0.0f;
    const float x2 = i + 2 < length ? x[i + 2] : 0.0f;
    const float c1 = 0.5f * (x1 - xm1);
    const float c2 = ((xm1 - 2.5f * x0) + 2.0f * x1) - 0.5f * x2;
    const float c3 = 0.5f * (x2 - xm1) + 1.5f * (x0 - x1);
    return ((c3 * f + c2) * f + c1) * f + x0;
}
} // namespace

double strokePlaybackRate(double sampleRate, float tune) noexcept
{
    const double hostRate =
        std::isfinite(sampleRate) && sampleRate > 0.0 ? sampleRate : kRecordingRate;
    return (kRecordingRate / hostRate) * std::exp2(static_cast<double>(tune) / 12.0);
}

void StrokeVoice::bind(Table* table, double rate, int id, StrokeEventLog* events) noexcept
{
    fTable = table;
    fPosition = 0.0;
    fRate = rate;
    fPlaying = false;
    fId = id;
    fEvents = events;
}

void StrokeVoice::trigger() noexcept
{
    if (fTable == nullptr)
        return;
    if (fPlaying)
        fEvents->release(fId, fEvents->frame());
    fEvents->trigger(fId);
    fPosition = 0.0;
    fPlaying = true;
}

void StrokeVoice::stop() noexcept
{
    if (fPlaying)
        fEvents->release(fId, fEvents->frame());
    fPlaying = false;
}

void StrokeVoice::render(float* out, int n, uint32_t firstFrame) noexcept
{
    int sounded = 0;
    if (fPlaying) {
        const float* x = fTable->buffer();
        const uint32_t length = fTable->size();
        // At rate 1.0 from a whole position, the frames are a run of table values copied at
        // once, and the position steps exactly.
        sounded = fRate == 1.0 && fPosition == std::floor(fPosition)
            ? renderWholeSteps(x, length, out, n)
            : renderFrames(x, length, out, n);
        // The voice reached its table's end: it falls silent on the first frame it did not sound.
        if (!fPlaying)
            fEvents->release(fId, firstFrame + static_cast<uint32_t>(sounded));
    }
    std::fill(out + sounded, out + n, 0.0f);
}

int StrokeVoice::renderWholeSteps(const float* x, uint32_t length, float* out, int n) noexcept
{
    if (!(fPosition < length)) {
        fPlaying = false;
        return 0;
    }
    const auto i = static_cast<uint32_t>(fPosition);
    const int run = static_cast<int>(std::min(length - i, static_cast<uint32_t>(n)));
    std::memcpy(out, x + i, static_cast<size_t>(run) * sizeof(float));
    fPosition += run;
    // A run cut short by the table's end: the next frame is past it.
    fPlaying = run == n;
    return run;
}

int StrokeVoice::renderFrames(const float* x, uint32_t length, float* out, int n) noexcept
{
    for (int k = 0; k < n; ++k) {
        // Compared in double, so that no position is ever converted beyond the table.
        if (!(fPosition < length)) {
            fPlaying = false;
            return k;
        }
        const auto i = static_cast<uint32_t>(fPosition);
        out[k] = fRate == 1.0 ? x[i] : catmullRom(x, length, i, static_cast<float>(fPosition - i));
        fPosition += fRate;
    }
    return n;
}
