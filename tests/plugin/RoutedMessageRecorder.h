// Test double of a patch context: the runtime's real posting, pipe and millisecond conversion,
// with a receiver table that records every message routed to it and its sample timestamp.
// Test thread only.
#pragma once

#include "runtime/KrellContext.h"
#include "runtime/Message.h"

#include <cstdint>
#include <vector>

class RoutedMessageRecorder final : public KrellContext {
public:
    struct Routed {
        uint32_t hash;
        uint32_t timestamp;
        std::vector<float> values;
    };

    // A large input pipe, so that long blocks of posts are never refused.
    explicit RoutedMessageRecorder(double sampleRate) : KrellContext(10, 256, 0, sampleRate) { }

    const char* patchName() noexcept override { return "recorder"; }
    int inputChannelCount() noexcept override { return 0; }
    int outputChannelCount() noexcept override { return 0; }

    // Routes what was posted, then moves the clock on by `frames`.
    int processBlock(const float* const*, float* const*, int frames) noexcept override
    {
        drainInputPipe();
        advanceBlockStart(frames);
        return frames;
    }
    int processContiguous(const float*, float*, int frames) noexcept override
    {
        return processBlock(nullptr, nullptr, frames);
    }
    int processInterleaved(const float*, float*, int frames) noexcept override
    {
        return processBlock(nullptr, nullptr, frames);
    }
    int parameterInfo(int, PatchParameterInfo*) noexcept override { return 0; }
    Table* findTable(uint32_t) noexcept override { return nullptr; }

    void routeToReceiver(uint32_t receiverHash, const Message* message) noexcept override
    {
        Routed entry{receiverHash, message->timestamp, {}};
        for (int i = 0; i < message->numElements; ++i)
            entry.values.push_back(message->floatAt(i));
        routed.push_back(entry);
    }

    std::vector<Routed> routed;
};
