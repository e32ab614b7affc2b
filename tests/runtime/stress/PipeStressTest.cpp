// Two host threads post numbered messages while the audio thread renders blocks: every accepted
// message must arrive exactly once and in its thread's order; refusals are only ever counted.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "TestPatch.h"
#include "runtime/Message.h"

namespace {

constexpr int kMessagesPerThread = 20000;
constexpr float kSymbolStream = 100000.0f; // offset of the second thread's numbers

struct PostLog {
    std::vector<float> accepted;
    int rejected = 0;
};

void postFloats(TestPatch& patch, PostLog& log)
{
    for (int i = 0; i < kMessagesPerThread; ++i) {
        if (patch.postFloat(TestPatch::kFirst, static_cast<float>(i))) {
            log.accepted.push_back(static_cast<float>(i));
        } else {
            ++log.rejected;
        }
    }
}

// Two-element messages whose text repeats the number, to catch torn or mixed-up records.
void postNumberedTexts(TestPatch& patch, PostLog& log)
{
    for (int i = 0; i < kMessagesPerThread; ++i) {
        const float value = kSymbolStream + static_cast<float>(i);
        const std::string text = std::to_string(i);
        MessageStorage<2> storage;
        Message* m = Message::init(storage.bytes, 0, 2);
        m->setFloat(0, value);
        m->setSymbol(1, text.c_str());
        if (patch.postMessage(TestPatch::kSecond, 0.0, m)) {
            log.accepted.push_back(value);
        } else {
            ++log.rejected;
        }
    }
}

} // namespace

TEST(PipeStress, EveryAcceptedMessageArrivesOnceAndInOrder)
{
    TestPatch patch(64, 6, 0, 48000.0);
    patch.deliveries.reserve(2 * kMessagesPerThread);
    PostLog floats;
    PostLog texts;
    floats.accepted.reserve(kMessagesPerThread);
    texts.accepted.reserve(kMessagesPerThread);

    std::atomic<int> producersRunning{2};
    std::thread audio([&] {
        while (producersRunning.load(std::memory_order_acquire) > 0)
            patch.run(32);
        patch.run(32); // what was posted after the last block started
    });
    std::thread first([&] {
        postFloats(patch, floats);
        producersRunning.fetch_sub(1, std::memory_order_release);
    });
    std::thread second([&] {
        postNumberedTexts(patch, texts);
        producersRunning.fetch_sub(1, std::memory_order_release);
    });
    first.join();
    second.join();
    audio.join();

    EXPECT_EQ(static_cast<int>(floats.accepted.size()) + floats.rejected, kMessagesPerThread);
    EXPECT_EQ(static_cast<int>(texts.accepted.size()) + texts.rejected, kMessagesPerThread);

    std::vector<float> deliveredFloats;
    std::vector<float> deliveredTexts;
    for (const Delivery& d : patch.deliveries) {
        if (d.receiver == 0) {
            deliveredFloats.push_back(d.value);
        } else {
            deliveredTexts.push_back(d.value);
            EXPECT_EQ(d.text, std::to_string(static_cast<int>(d.value - kSymbolStream)));
        }
    }
    EXPECT_EQ(deliveredFloats, floats.accepted);
    EXPECT_EQ(deliveredTexts, texts.accepted);
    EXPECT_TRUE(patch.queue().empty());
}
