// Stroke voice playback. Audio thread only. This file is compiled without floating-point
// contraction: each operation of the interpolation is rounded on its own, in the association
// written here, so that every build and every host renders the same values.
#include "StrokeVoice.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "StrokeEvents.h"
#include "runtime/Table.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {
constexpr double kRecordingRate = 48000.0;

// The value at fraction f of the way from x0 to x1, from the four table values around it.
inline float catmullRom(float xm1, float x0, float x1, float x2, float f) noexcept
{
    const float c1 = 0.5f * (x1 - xm1);
    const float c2 = ((xm1 - 2.5f * x0) + 2.0f * x1) - 0.5f * x2;
    const float c3 = 0.5f * (x2 - xm1) + 1.5f * (x0 - x1);
    return ((c3 * f + c2) * f + c1) * f + x0;
}

// The same near the table's ends, where the values beyond it count as 0.
float catmullRomAtEdge(const float* x, uint32_t length, uint32_t i, float f) noexcept
{
    const float xm1 = i >= 1 ? x[i - 1] : 0.0f;
    const float x1 = i + 1 < length ? x[i + 1] : 0.0f;
    const float x2 = i + 2 < length ? x[i + 2] : 0.0f;
    return catmullRom(xm1, x[i], x1, x2, f);
}
#if defined(__SSE2__)
// Four frames at a time while the fourth position is still below innerEnd (and the first at or
// above 1), each lane doing exactly the operations of catmullRom. Returns the frames rendered;
// `p` moves on by one rate per frame, added one frame at a time as always.
int catmullRomFours(
    const float* x, double& p, double rate, double innerEnd, float* out, int n) noexcept
{
    const __m128 half = _mm_set1_ps(0.5f), two = _mm_set1_ps(2.0f);
    const __m128 twoAndHalf = _mm_set1_ps(2.5f), oneAndHalf = _mm_set1_ps(1.5f);
    int k = 0;
    for (; k + 4 <= n; k += 4) {
        const double p1 = p + rate, p2 = p1 + rate, p3 = p2 + rate;
        if (!(p3 < innerEnd))
            break;
        const __m128d low = _mm_set_pd(p1, p), high = _mm_set_pd(p3, p2);
        const __m128i lowIndex = _mm_cvttpd_epi32(low), highIndex = _mm_cvttpd_epi32(high);
        const __m128 f = _mm_movelh_ps(_mm_cvtpd_ps(_mm_sub_pd(low, _mm_cvtepi32_pd(lowIndex))),
            _mm_cvtpd_ps(_mm_sub_pd(high, _mm_cvtepi32_pd(highIndex))));
        const float* const at0 = x + _mm_cvtsi128_si32(lowIndex) - 1;
        const float* const at1 = x + _mm_cvtsi128_si32(_mm_shuffle_epi32(lowIndex, 1)) - 1;
        const float* const at2 = x + _mm_cvtsi128_si32(highIndex) - 1;
        const float* const at3 = x + _mm_cvtsi128_si32(_mm_shuffle_epi32(highIndex, 1)) - 1;
        // Rows of four neighbours, turned into xm1, x0, x1 and x2 of the four frames.
        __m128 xm1 = _mm_loadu_ps(at0), x0 = _mm_loadu_ps(at1);
        __m128 x1 = _mm_loadu_ps(at2), x2 = _mm_loadu_ps(at3);
        _MM_TRANSPOSE4_PS(xm1, x0, x1, x2);
        const __m128 c1 = _mm_mul_ps(half, _mm_sub_ps(x1, xm1));
        const __m128 c2 =
            _mm_sub_ps(_mm_add_ps(_mm_sub_ps(xm1, _mm_mul_ps(twoAndHalf, x0)), _mm_mul_ps(two, x1)),
                _mm_mul_ps(half, x2));
        const __m128 c3 = _mm_add_ps(
            _mm_mul_ps(half, _mm_sub_ps(x2, xm1)), _mm_mul_ps(oneAndHalf, _mm_sub_ps(x0, x1)));
        const __m128 value = _mm_add_ps(
            _mm_mul_ps(_mm_add_ps(_mm_mul_ps(_mm_add_ps(_mm_mul_ps(c3, f), c2), f), c1), f), x0);
        _mm_storeu_ps(out + k, value);
        p = p3 + rate;
    }
    return k;
}
#endif

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
    double p = fPosition;
    const double rate = fRate;
    // From index 1 to length - 3 all four neighbours lie in the table: no tests per value there.
    const double innerEnd = length > 2 ? static_cast<double>(length - 2) : 0.0;
    int k = 0;
    while (k < n) {
        if (rate != 1.0 && p >= 1.0 && p < innerEnd) {
            // The position only grows, so it stays at or above 1.
#if defined(__SSE2__)
            if (innerEnd < 2147483648.0)
                k += catmullRomFours(x, p, rate, innerEnd, out + k, n - k);
#endif
            for (; k < n && p < innerEnd; ++k) {
                const auto i = static_cast<uint32_t>(p);
                out[k] = catmullRom(x[i - 1], x[i], x[i + 1], x[i + 2], static_cast<float>(p - i));
                p += rate;
            }
            continue;
        }
        // Compared in double, so that no position is ever converted beyond the table.
        if (!(p < length)) {
            fPlaying = false;
            break;
        }
        const auto i = static_cast<uint32_t>(p);
        out[k++] = rate == 1.0 ? x[i] : catmullRomAtEdge(x, length, i, static_cast<float>(p - i));
        p += rate;
    }
    fPosition = p;
    return k;
}
