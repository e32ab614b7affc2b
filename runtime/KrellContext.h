// The engine a compiled patch runs on: sample clock, scheduler, pool, input and output pipes,
// tables. A patch class derives from it and supplies the patch's own operations of the interface.
// Threads as the interface labels them; the block loop's building blocks are [audio-thread].
#pragma once

#include <atomic>
#include <cstdint>

#include "KrellContextInterface.h"
#include "MessagePipe.h"
#include "MessageQueue.h"

class KrellContext : public KrellContextInterface {
public:
    // [main-thread] Pool and pipe sizes in KiB; an output size of 0 gives no output pipe and no
    // send hook.
    KrellContext(
        uint32_t poolKiB, uint32_t inputPipeKiB, uint32_t outputPipeKiB, double sampleRate);
    ~KrellContext() override;
    KrellContext(const KrellContext&) = delete;
    KrellContext& operator=(const KrellContext&) = delete;

    uint64_t memorySize() noexcept override;
    double sampleRate() noexcept override;
    uint32_t blockStartSample() noexcept override;
    float samplesToMs(uint32_t samples) noexcept override;
    uint32_t msToSamples(float ms) noexcept override;
    void setOwner(void* owner) noexcept override;
    void* owner() noexcept override;
    void setOutboundHook(SendHook hook) noexcept override;
    SendHook outboundHook() noexcept override;
    void setLogHook(LogHook hook) noexcept override;
    LogHook logHook() noexcept override;

    [[nodiscard]] bool postMessage(
        uint32_t receiverHash, double delayMs, const Message* message) noexcept override;
    [[nodiscard]] bool postFormatted(
        uint32_t receiverHash, double delayMs, const char* format, ...) noexcept override;
    [[nodiscard]] bool postFloat(uint32_t receiverHash, float value) noexcept override;
    [[nodiscard]] bool postBang(uint32_t receiverHash) noexcept override;
    [[nodiscard]] bool postSymbol(uint32_t receiverHash, const char* text) noexcept override;
    bool cancelScheduled(const Message* handle, SendFunction target) noexcept override;

    float* tableBuffer(uint32_t tableHash) noexcept override;
    uint32_t tableLength(uint32_t tableHash) noexcept override;
    [[nodiscard]] bool resizeTable(uint32_t tableHash, uint32_t newLength) noexcept override;

    void lockInput() noexcept override;
    [[nodiscard]] bool tryLockInput() noexcept override;
    void unlockInput() noexcept override;
    uint32_t resizeInputPipe(uint32_t kiB) noexcept override;
    uint32_t resizeOutputPipe(uint32_t kiB) noexcept override;
    [[nodiscard]] bool takeOutboundMessage(
        uint32_t* outHash, Message* out, uint32_t capacity) noexcept override;

    // [audio-thread] Copies m into the pool and queues it for target's inlet at m's timestamp.
    // Returns the pooled copy (the handle for cancelScheduled), or null when refused: the message
    // needs more than a 256-byte chunk, or the pool has no room left for its size class.
    [[nodiscard]] Message* scheduleForObject(
        const Message* m, SendFunction target, int inlet) noexcept;

    // [audio-thread] Routes every record of the input pipe through routeToReceiver, oldest
    // first; at most one pipe's worth per call, so that a poster that never stops cannot hold up
    // the block. processBlock starts with it; a host that posts from the audio thread calls it
    // first, then posts with scheduleForReceiver.
    void drainInputPipe() noexcept;
    // [audio-thread] The lock-free post of the thread that processes blocks: stamps m as
    // postMessage would (block start plus the delay) and routes it at once, without the pipe.
    // After drainInputPipe, what other threads posted before the block still comes first. False
    // when the scheduler refused it (the pool is full).
    [[nodiscard]] bool scheduleForReceiver(
        uint32_t receiverHash, double delayMs, Message& m) noexcept;
    // [any-thread] Messages the scheduler refused since construction (the pool was full or the
    // message too large); relaxed, for reports.
    uint64_t refusedSchedules() const noexcept
    {
        return fRefusedSchedules.load(std::memory_order_relaxed);
    }

    // [audio-thread] The default send hook: appends (hash, copy) to the output pipe, dropping it
    // when full.
    static void defaultSendHook(KrellContextInterface* context, const char* sendName,
        uint32_t sendHash, const Message* message) noexcept;

protected:
    // [audio-thread] The block loop's building blocks, for the patch's processBlock
    // (drainInputPipe is public).
    // Delivers every queued message due at or before frame `frame` of the current block.
    void dispatchDueAt(int frame) noexcept;
    // Moves the sample clock on by n frames at the end of a block (it wraps at 2^32).
    void advanceBlockStart(int n) noexcept;
    // [main-thread] Adds bytes allocated by the patch (its tables) to memorySize().
    void addMemory(uint64_t bytes) noexcept;
    // [main-thread] Fills a table from data and counts its memory; false when the allocation
    // fails.
    [[nodiscard]] bool createTable(Table& table, uint32_t length, const float* values) noexcept;
    MessageQueue& scheduler() noexcept { return fScheduler; }

private:
    const double fSampleRate;
    std::atomic<uint32_t> fBlockStartSample{0}; // read by posting threads
    uint64_t fMemorySize = 0;
    MessageQueue fScheduler;
    SendHook fSendHook = nullptr;
    LogHook fLogHook = nullptr;
    void* fOwner = nullptr;
    MessagePipe fInputPipe;
    MessagePipe fOutputPipe;
    std::atomic<bool> fInputLock{false};
    std::atomic<bool> fOutputLock{false};
    std::atomic<uint64_t> fRefusedSchedules{0}; // written by the audio thread only
};
