// Proves that run neither allocates, locks nor prints: positions in and between blocks, more MIDI
// than a block takes, control values that change every block (some out of range or not finite),
// and an event output too small for what the plug-in writes. Counted through replaced C library
// functions, so not run under a sanitizer.
#include "AllocationCounter.h"
#include "BlockingCallCounter.h"
#include "Lv2TestHost.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(Lv2Run, NeverAllocatesLocksOrPrints)
{
    Lv2TestHost host;
    ASSERT_TRUE(host.start(44100.0, 256));
    const float patterns[] = {17.0f, 2000.0f, NAN, -5.0f, 404.5f};
    const uint8_t clock[] = {0xF8};
    const uint8_t note[] = {0x99, 60, 100};
    HostPosition position;
    const uint32_t pattern = host.portIndex("dayan_pattern");

    AllocationCounter allocations;
    BlockingCallCounter calls;
    for (uint32_t block = 0; block < 400; ++block) {
        // 99 bytes: room for one monitor message, then 19 bytes, which a padded MIDI event
        // overruns.
        host.setEventOutputCapacity(block % 3 == 0 ? 24 : block % 3 == 1 ? 99 : 8192);
        host.setControl(pattern, patterns[block % 5]);
        position.speed = block % 50 < 40 ? 1.0f : 0.0f;
        position.frame = block * 256;
        if (block % 10 == 0)
            host.addPosition(block % 20 == 0 ? 0 : 100, position);
        for (uint32_t i = 0; i < 600; ++i)
            host.addMidi(i % 256, i % 2 ? clock : note, i % 2 ? 1 : 3);
        host.run(block % 70 == 0 ? 0 : 256);
    }
    calls.stop();
    allocations.stop();
    EXPECT_EQ(allocations.count(), 0);
    EXPECT_EQ(calls.locks(), 0);
    EXPECT_EQ(calls.writes(), 0);
}
