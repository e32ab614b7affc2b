// The groove patch: construction, identity, parameters, receivers, tables and the block loop.
// See Krell_Vantorel.h for the threads.
#include "Krell_Vantorel.h"

#include <cstdlib>
#include <new>

#include "ClockWiring.h"
#include "DrumWiring.h"
#include "PatchInterface.h"
#include "StrokeMix.h"
#include "recordings/StrokeRecordings.h"
#include "runtime/Message.h"

namespace {
struct Receiver {
    uint32_t hash;
    SendFunction entry;
};

constexpr Receiver kReceivers[] = {
    {kDayanLengthReceiver, &DrumWiring<kDayan>::onLengthParameter},
    {kDayanPatternReceiver, &DrumWiring<kDayan>::onPatternParameter},
    {kDayanTempoReceiver, &DrumWiring<kDayan>::onTempo},
    {kBayaLengthReceiver, &DrumWiring<kBaya>::onLengthParameter},
    {kBayaPatternReceiver, &DrumWiring<kBaya>::onPatternParameter},
    {kBayaTempoReceiver, &DrumWiring<kBaya>::onTempo},
    {kRealtimeReceiver, &onRealtimeStatus},
    {kInitReceiver, &onInitialise},
    {kTickBus, &onTickBus},
    {kDayanLengthBus, &DrumWiring<kDayan>::onLengthBus},
    {kBayaLengthBus, &DrumWiring<kBaya>::onLengthBus},
    {kDayanSeedBus, &DrumWiring<kDayan>::onSeedBus},
    {kBayaSeedBus, &DrumWiring<kBaya>::onSeedBus},
};
constexpr PatchParameterInfo kInvalidParameter = {
    "invalid parameter index", 0, 0, 0.0f, 0.0f, 0.0f};

// No receiver has this hash.
constexpr uint32_t kNoReceiver = 0;

// processInterleaved renders through this many frames at a time on the stack.
constexpr int kInterleaveChunkFrames = 256;
} // namespace

GrooveGraph& graphOf(KrellContextInterface* context) noexcept
{
    return static_cast<Krell_Vantorel*>(context)->fGraph;
}

Krell_Vantorel::Krell_Vantorel(
    uint32_t poolKiB, uint32_t inputPipeKiB, uint32_t outputPipeKiB, double sampleRate)
    : KrellContext(poolKiB, inputPipeKiB, outputPipeKiB, sampleRate)
{
    for (int v = 0; v < kVoiceCount; ++v)
        fGraph.voices[v].bind(&fTables[kVoiceTable[v]]);
    fGraph.clock.init();
    for (DrumUnit& drum : fGraph.drums)
        drum.init();

    static_assert(kStrokeRecordingCount == kStrokeTableCount, "one recording per table");
    const StrokeRecording* recordings = strokeRecordings();
    for (int t = 0; t < kStrokeTableCount && fComplete; ++t) {
        fComplete = createTable(fTables[t], recordings[t].length, recordings[t].values);
    }

    // Refused only when the pool or the scheduler's nodes could not be allocated.
    MessageStorage<1> storage;
    fComplete = fComplete &&
        scheduleForObject(Message::initWithBang(&storage, 0), &onInitialise, 0) != nullptr;
}

Krell_Vantorel::~Krell_Vantorel() = default;

int Krell_Vantorel::latestStepCell(int drum) const noexcept
{
    return drum == kDayan || drum == kBaya ? fGraph.latestCell[drum] : -1;
}

const char* Krell_Vantorel::patchName() noexcept
{
    return "Vantorel";
}

int Krell_Vantorel::inputChannelCount() noexcept
{
    return 0;
}

int Krell_Vantorel::outputChannelCount() noexcept
{
    return 2;
}

int Krell_Vantorel::processBlock(const float* const*, float* const* outputs, int frames) noexcept
{
    drainInputPipe();
    // Without somewhere to write, the block is refused like an empty one.
    if (frames <= 0 || outputs == nullptr || outputs[0] == nullptr || outputs[1] == nullptr)
        return 0;
    float* left = outputs[0];
    float* right = outputs[1];
    // Frame by frame, but the voices run uninterrupted between the frames at which messages fall
    // due.
    for (int frame = 0; frame < frames;) {
        dispatchDueAt(frame);
        const int end = nextDueFrame(frame, frames);
        renderFrames(left + frame, right + frame, end - frame);
        frame = end;
    }
    advanceBlockStart(frames);
    return frames;
}

int Krell_Vantorel::nextDueFrame(int frame, int frames) noexcept
{
    const QueueNode* head = scheduler().head();
    if (head == nullptr)
        return frames;
    // Due at frame f when its timestamp < block start + f + 1, compared as the scheduler does.
    const int64_t due = static_cast<int32_t>(head->message->timestamp - blockStartSample());
    if (due <= frame)
        return frame + 1;
    return due < frames ? static_cast<int>(due) : frames;
}

void Krell_Vantorel::renderFrames(float* left, float* right, int n) noexcept
{
    for (int done = 0; done < n;) {
        const int frames = n - done < kRenderFrames ? n - done : kRenderFrames;
        for (int v = 0; v < kVoiceCount; ++v)
            fGraph.voices[v].render(this, fSlots[v], frames);
        for (int i = 0; i < frames; ++i)
            mixStrokes(fSlots, i, left + done + i, right + done + i);
        done += frames;
    }
}

int Krell_Vantorel::processContiguous(const float*, float* output, int frames) noexcept
{
    float* const outputs[2] = {output, output != nullptr && frames > 0 ? output + frames : nullptr};
    return processBlock(nullptr, outputs, frames);
}

// Rendered in chunks so that the stack use does not grow with the block size.
int Krell_Vantorel::processInterleaved(const float*, float* output, int frames) noexcept
{
    float chunk[2 * kInterleaveChunkFrames];
    if (frames <= 0 || output == nullptr)
        return processContiguous(nullptr, nullptr, 0);
    for (int done = 0; done < frames;) {
        const int n =
            frames - done < kInterleaveChunkFrames ? frames - done : kInterleaveChunkFrames;
        processContiguous(nullptr, chunk, n);
        float* out = output + 2 * static_cast<size_t>(done);
        for (int j = 0; j < n; ++j) {
            out[2 * j] = chunk[j];
            out[2 * j + 1] = chunk[n + j];
        }
        done += n;
    }
    return frames;
}

int Krell_Vantorel::parameterInfo(int index, PatchParameterInfo* info) noexcept
{
    if (info != nullptr)
        *info = (index >= 0 && index < kPatchParameterCount) ? kPatchParameters[index]
                                                             : kInvalidParameter;
    return kPatchParameterCount;
}

Table* Krell_Vantorel::findTable(uint32_t tableHash) noexcept
{
    for (int t = 0; t < kStrokeTableCount; ++t) {
        if (kStrokeTableNames[t].hash == tableHash)
            return &fTables[t];
    }
    return nullptr;
}

void Krell_Vantorel::routeToReceiver(uint32_t receiverHash, const Message* message) noexcept
{
    if (message == nullptr)
        return;
    for (const Receiver& receiver : kReceivers) {
        if (receiver.hash == receiverHash) {
            // A message the pool cannot hold is dropped, like every refusal inside the runtime.
            static_cast<void>(scheduleForObject(message, receiver.entry, 0));
            return;
        }
    }
}

Krell_Vantorel* createPatch(
    uint32_t poolKiB, uint32_t inputPipeKiB, uint32_t outputPipeKiB, double sampleRate)
{
    static_assert(
        alignof(Krell_Vantorel) <= alignof(std::max_align_t), "malloc storage is aligned enough");
    void* storage = std::malloc(sizeof(Krell_Vantorel));
    if (storage == nullptr)
        return nullptr;
    // The context reports its own failed allocations through isComplete() and the probe below.
    Krell_Vantorel* patch =
        new (storage) Krell_Vantorel(poolKiB, inputPipeKiB, outputPipeKiB, sampleRate);
    // A post to no receiver proves that the input pipe got its buffer; the first block drops it.
    if (!patch->isComplete() || !patch->postBang(kNoReceiver)) {
        destroyPatch(patch);
        return nullptr;
    }
    return patch;
}

void destroyPatch(Krell_Vantorel* patch)
{
    if (patch == nullptr)
        return;
    patch->~Krell_Vantorel();
    std::free(patch);
}
