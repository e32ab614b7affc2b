// The abstract patch context: what a host sees of a compiled patch. Each operation carries its
// thread: [audio-thread] the one thread that renders, [main-thread] the thread that creates the
// patch, while no block renders, [any-thread] any thread at any time.
#pragma once

#include <cstdint>

struct Message;
class Table;
class KrellContextInterface;

// One parameter of a patch: the receiver the host posts its value to.
struct PatchParameterInfo {
    const char* name;
    uint32_t hash;
    uint32_t kind; // 0: a value the host sends in
    float minimum;
    float maximum;
    float defaultValue;
};

// The functions below run on the audio thread inside a block, so they must not throw.
// How every inlet and outlet of a patch is addressed: (context, inlet or outlet index, message).
using SendFunction = void (*)(
    KrellContextInterface* context, int index, const Message* message) noexcept;

// Messages leaving the patch: (context, send name, send hash, message).
using SendHook = void (*)(KrellContextInterface* context, const char* sendName, uint32_t sendHash,
    const Message* message) noexcept;
// Printed output of the patch: (context, printer name, text).
using LogHook = void (*)(
    KrellContextInterface* context, const char* printerName, const char* text) noexcept;

class KrellContextInterface {
public:
    virtual ~KrellContextInterface() = default;

    // [any-thread] Constants of the patch and its context.
    virtual const char* patchName() noexcept = 0;
    virtual int inputChannelCount() noexcept = 0;
    virtual int outputChannelCount() noexcept = 0;
    virtual uint64_t memorySize() noexcept = 0;
    virtual double sampleRate() noexcept = 0;
    // [any-thread] The sample clock at the start of the current block.
    virtual uint32_t blockStartSample() noexcept = 0;
    // [any-thread]
    virtual float samplesToMs(uint32_t samples) noexcept = 0;
    virtual uint32_t msToSamples(float ms) noexcept = 0;
    // [main-thread] The owner pointer and the hooks are set before the first block; the audio
    // thread reads them.
    virtual void setOwner(void* owner) noexcept = 0;
    virtual void* owner() noexcept = 0;
    virtual void setOutboundHook(SendHook hook) noexcept = 0;
    virtual SendHook outboundHook() noexcept = 0;
    virtual void setLogHook(LogHook hook) noexcept = 0;
    virtual LogHook logHook() noexcept = 0;

    // [audio-thread] Render n frames; return the frames processed.
    virtual int processBlock(const float* const* inputs, float* const* outputs, int n) noexcept = 0;
    // [audio-thread] Channel c of a buffer at offset c * n.
    virtual int processContiguous(const float* input, float* output, int n) noexcept = 0;
    // [audio-thread]
    virtual int processInterleaved(const float* input, float* output, int n) noexcept = 0;

    // [any-thread] Queue a message for a receiver; false when the input pipe refuses it (full,
    // or the message too large). Delays are truncated to samples; negative, NaN and infinite
    // delays count as 0, and delays are clamped to 2^31 - 1 samples.
    [[nodiscard]] virtual bool postMessage(
        uint32_t receiverHash, double delayMs, const Message* message) noexcept = 0;
    // [any-thread] Format letters: b bang, f float (double argument), h hash (uint32_t argument),
    // s symbol. An empty format, any other letter or more than 32 letters refuse the post.
    [[nodiscard]] virtual bool postFormatted(
        uint32_t receiverHash, double delayMs, const char* format, ...) noexcept = 0;
    // [any-thread]
    [[nodiscard]] virtual bool postFloat(uint32_t receiverHash, float value) noexcept = 0;
    [[nodiscard]] virtual bool postBang(uint32_t receiverHash) noexcept = 0;
    [[nodiscard]] virtual bool postSymbol(uint32_t receiverHash, const char* text) noexcept = 0;
    // [audio-thread] Remove a scheduled message by its pooled handle; a non-null target must match.
    virtual bool cancelScheduled(const Message* handle, SendFunction target) noexcept = 0;

    // [any-thread] Fills info (when not null) for index; returns the number of parameters.
    virtual int parameterInfo(int index, PatchParameterInfo* info) noexcept = 0;

    // [main-thread] The audio thread reads table buffers without a lock, so a resize, or a write
    // through tableBuffer, happens between blocks.
    virtual float* tableBuffer(uint32_t tableHash) noexcept = 0;
    virtual uint32_t tableLength(uint32_t tableHash) noexcept = 0;
    [[nodiscard]] virtual bool resizeTable(uint32_t tableHash, uint32_t newLength) noexcept = 0;

    // [any-thread] The lock that serialises posting; a thread holding it must not post.
    virtual void lockInput() noexcept = 0;
    [[nodiscard]] virtual bool tryLockInput() noexcept = 0;
    virtual void unlockInput() noexcept = 0;
    // [main-thread] Discards the pipe and its contents; returns the new length in bytes.
    virtual uint32_t resizeInputPipe(uint32_t kiB) noexcept = 0;
    virtual uint32_t resizeOutputPipe(uint32_t kiB) noexcept = 0;
    // [any-thread] Takes the oldest outbound message into out (capacity bytes). False, with the
    // hash 0, when there is none, the send hook is not the default one, or the message does not
    // fit: then nothing is written and the message stays for a larger buffer.
    [[nodiscard]] virtual bool takeOutboundMessage(
        uint32_t* outHash, Message* out, uint32_t capacity) noexcept = 0;

    // [any-thread] The patch's table for a name hash, or null.
    virtual Table* findTable(uint32_t tableHash) noexcept = 0;
    // [audio-thread] Schedules message for the receiver; unknown hashes are ignored.
    virtual void routeToReceiver(uint32_t receiverHash, const Message* message) noexcept = 0;
};
