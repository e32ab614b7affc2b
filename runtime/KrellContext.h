// The engine a compiled patch runs on: sample clock, scheduler, pool, input and output pipes,
// tables. A patch class derives from it and supplies the [patch] operations of the interface.
// Posting may happen on any thread; everything else runs on the audio thread.
#pragma once

#include <atomic>
#include <cstdint>

#include "KrellContextInterface.h"
#include "MessagePipe.h"
#include "MessageQueue.h"

class KrellContext : public KrellContextInterface {
public:
    // Pool and pipe sizes in KiB; an output size of 0 gives no output pipe and no send hook.
    KrellContext(
        uint32_t poolKiB, uint32_t inputPipeKiB, uint32_t outputPipeKiB, double sampleRate);
    ~KrellContext() override;
    KrellContext(const KrellContext&) = delete;
    KrellContext& operator=(const KrellContext&) = delete;

    uint64_t memorySize() override;
    double sampleRate() override;
    uint32_t blockStartSample() override;
    float samplesToMs(uint32_t samples) override;
    uint32_t msToSamples(float ms) override;
    void setOwner(void* owner) override;
    void* owner() override;
    void setOutboundHook(SendHook hook) override;
    SendHook outboundHook() override;
    void setLogHook(LogHook hook) override;
    LogHook logHook() override;

    bool postMessage(uint32_t receiverHash, double delayMs, const Message* message) override;
    bool postFormatted(uint32_t receiverHash, double delayMs, const char* format, ...) override;
    bool postFloat(uint32_t receiverHash, float value) override;
    bool postBang(uint32_t receiverHash) override;
    bool postSymbol(uint32_t receiverHash, const char* text) override;
    bool cancelScheduled(const Message* handle, SendFunction target) override;

    float* tableBuffer(uint32_t tableHash) override;
    uint32_t tableLength(uint32_t tableHash) override;
    bool resizeTable(uint32_t tableHash, uint32_t newLength) override;

    void lockInput() override;
    bool tryLockInput() override;
    void unlockInput() override;
    uint32_t resizeInputPipe(uint32_t kiB) override;
    uint32_t resizeOutputPipe(uint32_t kiB) override;
    bool takeOutboundMessage(uint32_t* outHash, Message* out, uint32_t capacity) override;

    // [audio thread] Copies m into the pool and queues it for target's inlet at m's timestamp.
    // Returns the pooled copy (the handle for cancelScheduled), or null when refused: the message
    // needs more than a 256-byte chunk, or the pool has no room left for its size class.
    Message* scheduleForObject(const Message* m, SendFunction target, int inlet) noexcept;

    // [audio thread] Routes every record of the input pipe through routeToReceiver, oldest
    // first; at most one pipe's worth per call, so that a poster that never stops cannot hold up
    // the block. processBlock starts with it; a host that posts from the audio thread calls it
    // first, then posts with scheduleForReceiver.
    void drainInputPipe() noexcept;
    // [audio thread] The lock-free post of the thread that processes blocks: stamps m as
    // postMessage would (block start plus the delay) and routes it at once, without the pipe.
    // After drainInputPipe, what other threads posted before the block still comes first. False
    // when the scheduler refused it (the pool is full).
    [[nodiscard]] bool scheduleForReceiver(
        uint32_t receiverHash, double delayMs, Message& m) noexcept;
    // [any thread] Messages the scheduler refused since construction (the pool was full or the
    // message too large); relaxed, for reports.
    uint64_t refusedSchedules() const noexcept
    {
        return fRefusedSchedules.load(std::memory_order_relaxed);
    }

    // The default send hook: appends (hash, copy) to the output pipe, dropping it when full.
    static void defaultSendHook(KrellContextInterface* context, const char* sendName,
        uint32_t sendHash, const Message* message);

protected:
    // The block loop's building blocks, for the patch's processBlock (drainInputPipe is public).
    // Delivers every queued message due at or before frame `frame` of the current block.
    void dispatchDueAt(int frame) noexcept;
    // Moves the sample clock on by n frames at the end of a block (it wraps at 2^32).
    void advanceBlockStart(int n) noexcept;
    // Adds bytes allocated by the patch (its tables) to memorySize().
    void addMemory(uint64_t bytes) noexcept;
    // Fills a table from data and counts its memory; false when the allocation fails.
    bool createTable(Table& table, uint32_t length, const float* values) noexcept;
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
