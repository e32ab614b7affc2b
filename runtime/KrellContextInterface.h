// The abstract patch context: what a host sees of a compiled patch. Posting operations may be
// called from any thread; the process operations only from the one audio thread.
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

// How every inlet and outlet of a patch is addressed: (context, inlet or outlet index, message).
using SendFunction = void (*)(KrellContextInterface* context, int index, const Message* message);

// Messages leaving the patch: (context, send name, send hash, message).
using SendHook = void (*)(KrellContextInterface* context, const char* sendName, uint32_t sendHash,
    const Message* message);
// Printed output of the patch: (context, printer name, text).
using LogHook = void (*)(KrellContextInterface* context, const char* printerName, const char* text);

class KrellContextInterface {
public:
    virtual ~KrellContextInterface() = default;

    virtual const char* patchName() = 0;
    virtual int inputChannelCount() = 0;
    virtual int outputChannelCount() = 0;
    virtual uint64_t memorySize() = 0;
    virtual double sampleRate() = 0;
    virtual uint32_t blockStartSample() = 0;
    virtual float samplesToMs(uint32_t samples) = 0;
    virtual uint32_t msToSamples(float ms) = 0;
    virtual void setOwner(void* owner) = 0;
    virtual void* owner() = 0;
    virtual void setOutboundHook(SendHook hook) = 0;
    virtual SendHook outboundHook() = 0;
    virtual void setLogHook(LogHook hook) = 0;
    virtual LogHook logHook() = 0;

    // [audio thread] Render n frames; return the frames processed.
    virtual int processBlock(const float* const* inputs, float* const* outputs, int n) = 0;
    // Channel c of a buffer at offset c * n.
    virtual int processContiguous(const float* input, float* output, int n) = 0;
    virtual int processInterleaved(const float* input, float* output, int n) = 0;

    // [any thread] Queue a message for a receiver; false when the input pipe refuses it (full,
    // or the message too large). Delays are truncated to samples; negative, NaN and infinite
    // delays count as 0, and delays are clamped to 2^31 - 1 samples.
    virtual bool postMessage(uint32_t receiverHash, double delayMs, const Message* message) = 0;
    // Format letters: b bang, f float (double argument), h hash (uint32_t argument), s symbol.
    // An empty format, any other letter or more than 32 letters refuse the post.
    virtual bool postFormatted(uint32_t receiverHash, double delayMs, const char* format, ...) = 0;
    virtual bool postFloat(uint32_t receiverHash, float value) = 0;
    virtual bool postBang(uint32_t receiverHash) = 0;
    virtual bool postSymbol(uint32_t receiverHash, const char* text) = 0;
    // [audio thread] Remove a scheduled message by its pooled handle; a non-null target must match.
    virtual bool cancelScheduled(const Message* handle, SendFunction target) = 0;

    // Fills info (when not null) for index; returns the number of parameters.
    virtual int parameterInfo(int index, PatchParameterInfo* info) = 0;

    // [not while processBlock runs] The audio thread reads table buffers without a lock, so a
    // resize, or a write through tableBuffer, happens between blocks.
    virtual float* tableBuffer(uint32_t tableHash) = 0;
    virtual uint32_t tableLength(uint32_t tableHash) = 0;
    virtual bool resizeTable(uint32_t tableHash, uint32_t newLength) = 0;

    // [any thread] The lock that serialises posting; a thread holding it must not post.
    virtual void lockInput() = 0;
    virtual bool tryLockInput() = 0;
    virtual void unlockInput() = 0;
    // [not while processBlock runs] Discards the pipe and its contents.
    virtual uint32_t resizeInputPipe(uint32_t kiB) = 0;
    virtual uint32_t resizeOutputPipe(uint32_t kiB) = 0;
    // [any thread] Takes the oldest outbound message into out (capacity bytes). False, with the
    // hash 0, when there is none, the send hook is not the default one, or the message does not
    // fit: then nothing is written and the message stays for a larger buffer.
    virtual bool takeOutboundMessage(uint32_t* outHash, Message* out, uint32_t capacity) = 0;

    virtual Table* findTable(uint32_t tableHash) = 0;
    // [audio thread] Schedules message for the receiver; unknown hashes are ignored.
    virtual void routeToReceiver(uint32_t receiverHash, const Message* message) = 0;
};
