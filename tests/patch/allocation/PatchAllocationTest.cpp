// Allocation behaviour of the patch, seen through the replaced allocator: rendering never
// allocates, and creation either completes or leaves nothing behind, whichever allocation fails.
// Not run under a sanitizer, whose allocator would replace the same functions.
#include <gtest/gtest.h>

#include "../GrooveHarness.h"
#include "AllocationCounter.h"

using namespace groove_test;

namespace {

TEST(PatchAllocation, RenderingAllocatesNothing)
{
    auto patch = makePatch();
    float left[512], right[512];
    float* outputs[2] = {left, right};
    AllocationCounter watch;
    // Parameters, clock, stop and changes (Tunes too): steps trigger and cut off voices, voices
    // end.
    postParameters(*patch, 4, 2, 2, 7, 1337, 0);
    for (int block = 0; block < 400; ++block) {
        for (int tick = 0; tick < 3; ++tick)
            postStatus(*patch, 248.0f, delayForFrame(tick * 170 + block % 7));
        if (block % 50 == 49)
            postStatus(*patch, 252.0f);
        if (block % 60 == 30)
            patch->postFloat(hashString("Baya_Pattern"), static_cast<float>(block));
        if (block % 70 == 10)
            patch->postFloat(hashString("Dayan_Tempo"), static_cast<float>(block % 5));
        // Tune changes reach sounding voices without a rebuild.
        if (block % 40 == 20) {
            patch->postFloat(kDayanTuneReceiver, static_cast<float>(block % 25) - 12.0f);
            patch->postFloat(kBayaTuneReceiver, 7.5f - static_cast<float>(block % 15));
        }
        patch->processBlock(nullptr, outputs, block % 3 == 0 ? 0 : 512);
        patch->processInterleaved(nullptr, left, 256);
        patch->processContiguous(nullptr, left, 256);
    }
    watch.stop();
    EXPECT_EQ(watch.count(), 0);
}

TEST(PatchAllocation, CreationIsCompleteOrNothing)
{
    long total;
    {
        AllocationCounter watch;
        Krell_Vantorel* patch = createPatch(10, 6, 2, kSampleRate);
        ASSERT_NE(patch, nullptr);
        destroyPatch(patch);
        total = watch.count();
        EXPECT_EQ(watch.outstanding(), 0);
    }
    ASSERT_GE(total, 13) << "the patch, its context and twelve tables";
    auto reference = makePatch();
    for (long failAt = 1; failAt <= total; ++failAt) {
        AllocationCounter watch(failAt);
        Krell_Vantorel* patch = createPatch(10, 6, 2, kSampleRate);
        if (patch != nullptr) {
            // Only allocations the patch can do without may fail: it must render like any other.
            for (int t = 0; t < kStrokeTableCount; ++t) {
                EXPECT_EQ(patch->tableLength(kStrokeTableNames[t].hash),
                    reference->tableLength(kStrokeTableNames[t].hash));
            }
            EXPECT_TRUE(patch->postFloat(hashString("Dayan_Pattern"), 3.0f))
                << "allocation " << failAt;
            destroyPatch(patch);
        }
        watch.stop();
        EXPECT_EQ(watch.outstanding(), 0)
            << "allocation " << failAt << " failed, and memory leaked";
    }
}

} // namespace
