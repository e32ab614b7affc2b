// The patch context: clock, scheduler, pipes and tables. Posting runs on any thread (serialised
// by the input lock); the block loop helpers and the scheduler run on the audio thread only.
#include "KrellContext.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstring>

#include "Message.h"
#include "NumberConversions.h"
#include "Table.h"

namespace {

constexpr uint32_t kMaxKiB = UINT32_MAX / 1024;
// Room on the posting thread's stack for a formatted message.
constexpr int kMaxFormattedElements = 32;

uint32_t kiBToBytes(uint32_t kiB) noexcept
{
    return std::min(kiB, kMaxKiB) * 1024;
}

// The one conversion of a delay in ms to samples, shared by msToSamples and postMessage.
uint32_t delayToSamples(double ms, double sampleRate) noexcept
{
    if (!std::isfinite(ms) || ms <= 0.0)
        return 0;
    return std::min(saturatingToUint32(ms * (0.001 * sampleRate)), kMaxDelaySamples);
}

void spinLock(std::atomic<bool>& lock) noexcept
{
    while (lock.exchange(true, std::memory_order_acquire)) {
    }
}

// Writes (hash, gap, deep copy of m stamped `timestamp`) as one pipe record; false when the
// pipe has no room or the message cannot be copied.
bool writeAddressed(MessagePipe& pipe, uint32_t hash, const Message* m, uint32_t timestamp) noexcept
{
    const uint32_t messageBytes = m->requiredBytes();
    if (messageBytes > 0xFFFF)
        return false;
    const uint32_t payloadBytes = 8 + messageBytes;
    unsigned char* payload = pipe.reserve(payloadBytes);
    if (payload == nullptr)
        return false;
    std::memcpy(payload, &hash, sizeof hash);
    std::memset(payload + 4, 0, 4);
    Message* copy = m->copyTo(payload + 8, messageBytes);
    copy->timestamp = timestamp;
    pipe.publish(payloadBytes);
    return true;
}

} // namespace

KrellContext::KrellContext(
    uint32_t poolKiB, uint32_t inputPipeKiB, uint32_t outputPipeKiB, double sampleRate)
    : fSampleRate(sampleRate), fScheduler(std::min(poolKiB, kMaxKiB)),
      fInputPipe(kiBToBytes(inputPipeKiB)), fOutputPipe(kiBToBytes(outputPipeKiB))
{
    if (outputPipeKiB > 0)
        fSendHook = defaultSendHook;
    fMemorySize = sizeof(KrellContext) + fScheduler.pool().bufferSize() + fInputPipe.length() +
        fOutputPipe.length();
}

KrellContext::~KrellContext() = default;

uint64_t KrellContext::memorySize() noexcept
{
    return fMemorySize;
}
double KrellContext::sampleRate() noexcept
{
    return fSampleRate;
}
uint32_t KrellContext::blockStartSample() noexcept
{
    return fBlockStartSample.load(std::memory_order_relaxed);
}

float KrellContext::samplesToMs(uint32_t samples) noexcept
{
    return static_cast<float>(samples * 1000.0 / fSampleRate);
}

uint32_t KrellContext::msToSamples(float ms) noexcept
{
    return delayToSamples(ms, fSampleRate);
}

void KrellContext::setOwner(void* owner) noexcept
{
    fOwner = owner;
}
void* KrellContext::owner() noexcept
{
    return fOwner;
}
void KrellContext::setOutboundHook(SendHook hook) noexcept
{
    fSendHook = hook;
}
SendHook KrellContext::outboundHook() noexcept
{
    return fSendHook;
}
void KrellContext::setLogHook(LogHook hook) noexcept
{
    fLogHook = hook;
}
LogHook KrellContext::logHook() noexcept
{
    return fLogHook;
}

bool KrellContext::postMessage(
    uint32_t receiverHash, double delayMs, const Message* message) noexcept
{
    if (message == nullptr)
        return false;
    const uint32_t timestamp =
        fBlockStartSample.load(std::memory_order_relaxed) + delayToSamples(delayMs, fSampleRate);
    spinLock(fInputLock);
    const bool written = writeAddressed(fInputPipe, receiverHash, message, timestamp);
    fInputLock.store(false, std::memory_order_release);
    return written;
}

bool KrellContext::postFormatted(
    uint32_t receiverHash, double delayMs, const char* format, ...) noexcept
{
    if (format == nullptr)
        return false;
    const size_t count = std::strlen(format);
    if (count == 0 || count > kMaxFormattedElements)
        return false;
    MessageStorage<kMaxFormattedElements> storage;
    Message* m = Message::init(storage.bytes, 0, static_cast<uint16_t>(count));
    va_list args;
    va_start(args, format);
    bool known = true;
    for (size_t i = 0; i < count && known; ++i) {
        const int at = static_cast<int>(i);
        switch (format[i]) {
        case 'b':
            m->setBang(at);
            break;
        case 'f':
            m->setFloat(at, static_cast<float>(va_arg(args, double)));
            break;
        case 'h':
            m->setHash(at, va_arg(args, uint32_t));
            break;
        case 's':
            m->setSymbol(at, va_arg(args, const char*));
            break;
        default:
            known = false; // the remaining arguments cannot be interpreted
        }
    }
    va_end(args);
    return known && postMessage(receiverHash, delayMs, m);
}

bool KrellContext::postFloat(uint32_t receiverHash, float value) noexcept
{
    MessageStorage<1> storage;
    return postMessage(receiverHash, 0.0, Message::initWithFloat(storage.bytes, 0, value));
}

bool KrellContext::postBang(uint32_t receiverHash) noexcept
{
    MessageStorage<1> storage;
    return postMessage(receiverHash, 0.0, Message::initWithBang(storage.bytes, 0));
}

bool KrellContext::postSymbol(uint32_t receiverHash, const char* text) noexcept
{
    MessageStorage<1> storage;
    return postMessage(receiverHash, 0.0, Message::initWithSymbol(storage.bytes, 0, text));
}

bool KrellContext::cancelScheduled(const Message* handle, SendFunction target) noexcept
{
    return fScheduler.cancel(handle, target);
}

Message* KrellContext::scheduleForObject(const Message* m, SendFunction target, int inlet) noexcept
{
    Message* const pooled = fScheduler.schedule(m, target, inlet);
    if (pooled == nullptr)
        fRefusedSchedules.store(
            fRefusedSchedules.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
    return pooled;
}

bool KrellContext::scheduleForReceiver(uint32_t receiverHash, double delayMs, Message& m) noexcept
{
    m.timestamp =
        fBlockStartSample.load(std::memory_order_relaxed) + delayToSamples(delayMs, fSampleRate);
    const uint64_t refusedBefore = refusedSchedules();
    routeToReceiver(receiverHash, &m);
    return refusedSchedules() == refusedBefore;
}

float* KrellContext::tableBuffer(uint32_t tableHash) noexcept
{
    Table* table = findTable(tableHash);
    return table != nullptr ? table->buffer() : nullptr;
}

uint32_t KrellContext::tableLength(uint32_t tableHash) noexcept
{
    Table* table = findTable(tableHash);
    return table != nullptr ? table->length() : 0;
}

bool KrellContext::resizeTable(uint32_t tableHash, uint32_t newLength) noexcept
{
    Table* table = findTable(tableHash);
    return table != nullptr && table->resize(newLength);
}

void KrellContext::lockInput() noexcept
{
    spinLock(fInputLock);
}
bool KrellContext::tryLockInput() noexcept
{
    return !fInputLock.exchange(true, std::memory_order_acquire);
}
void KrellContext::unlockInput() noexcept
{
    fInputLock.store(false, std::memory_order_release);
}

uint32_t KrellContext::resizeInputPipe(uint32_t kiB) noexcept
{
    spinLock(fInputLock);
    fInputPipe.reset(kiBToBytes(kiB));
    fInputLock.store(false, std::memory_order_release);
    return fInputPipe.length();
}

uint32_t KrellContext::resizeOutputPipe(uint32_t kiB) noexcept
{
    spinLock(fOutputLock);
    fOutputPipe.reset(kiBToBytes(kiB));
    fOutputLock.store(false, std::memory_order_release);
    return fOutputPipe.length();
}

void KrellContext::defaultSendHook(
    KrellContextInterface* context, const char*, uint32_t sendHash, const Message* message) noexcept
{
    if (context == nullptr || message == nullptr)
        return;
    KrellContext* self = static_cast<KrellContext*>(context);
    writeAddressed(self->fOutputPipe, sendHash, message, message->timestamp);
}

bool KrellContext::takeOutboundMessage(uint32_t* outHash, Message* out, uint32_t capacity) noexcept
{
    if (outHash != nullptr)
        *outHash = 0;
    if (fSendHook != defaultSendHook || out == nullptr)
        return false;
    spinLock(fOutputLock);
    uint32_t bytes = 0;
    const unsigned char* payload = fOutputPipe.read(&bytes);
    // A record larger than the caller's buffer stays in the pipe for a larger buffer.
    const bool taken = payload != nullptr &&
        reinterpret_cast<const Message*>(payload + 8)->copyTo(out, capacity) != nullptr;
    if (taken) {
        if (outHash != nullptr)
            std::memcpy(outHash, payload, sizeof *outHash);
        fOutputPipe.consume();
    }
    fOutputLock.store(false, std::memory_order_release);
    return taken;
}

void KrellContext::drainInputPipe() noexcept
{
    // Bounded to one pipe's worth of records, so a poster that never stops cannot hold up the
    // block; whatever is left is routed at the next block, still before its due frame passes.
    uint64_t budget = fInputPipe.length();
    uint32_t bytes = 0;
    const unsigned char* payload = nullptr;
    while (budget > 0 && (payload = fInputPipe.read(&bytes)) != nullptr) {
        uint32_t hash;
        std::memcpy(&hash, payload, sizeof hash);
        routeToReceiver(hash, reinterpret_cast<const Message*>(payload + 8));
        fInputPipe.consume();
        budget -= std::min<uint64_t>(budget, MessagePipe::recordBytes(bytes));
    }
}

void KrellContext::dispatchDueAt(int frame) noexcept
{
    const uint32_t end =
        fBlockStartSample.load(std::memory_order_relaxed) + static_cast<uint32_t>(frame) + 1;
    fScheduler.dispatchBefore(this, end);
}

void KrellContext::advanceBlockStart(int n) noexcept
{
    if (n <= 0)
        return;
    fBlockStartSample.store(
        fBlockStartSample.load(std::memory_order_relaxed) + static_cast<uint32_t>(n),
        std::memory_order_relaxed);
}

void KrellContext::addMemory(uint64_t bytes) noexcept
{
    fMemorySize += bytes;
}

bool KrellContext::createTable(Table& table, uint32_t length, const float* values) noexcept
{
    if (!table.create(length, values))
        return false;
    addMemory(uint64_t{4} * length);
    return true;
}
