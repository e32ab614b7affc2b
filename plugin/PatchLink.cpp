// The plug-in's groove patch. Main thread (rebuild), any thread (postParameter), audio thread
// (post, render).
#include "PatchLink.h"

#include "FramePosting.h"
#include "PatchHooks.h"
#include "patch/Krell_Vantorel.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace Orvane {

namespace {

constexpr uint32_t kPoolKiB = 10;
constexpr uint32_t kInputPipeKiB = 6;
constexpr uint32_t kOutputPipeKiB = 2;
constexpr uint32_t kOutputCount = 2;

} // namespace

PatchLink::PatchLink(void* owner, DropCounters& drops) noexcept : fOwner(owner), fDrops(drops)
{
}

PatchLink::~PatchLink()
{
    release();
}

void PatchLink::release() noexcept
{
    destroyPatch(fPatch);
    fPatch = nullptr;
}

bool PatchLink::rebuild(double sampleRate) noexcept
{
    release();
    fPatch = createPatch(kPoolKiB, kInputPipeKiB, kOutputPipeKiB, sampleRate);
    fSampleRate = sampleRate;
    fCountedRefusals = 0;
    if (fPatch == nullptr)
        return false;
    fPatch->setOwner(fOwner);
    fPatch->setOutboundHook(pluginSendHook);
    fPatch->setLogHook(pluginLogHook);
    return true;
}

bool PatchLink::postParameter(uint32_t receiverHash, float value) noexcept
{
    if (fPatch == nullptr)
        return false;
    const bool posted = fPatch->postFloat(receiverHash, value);
    if (!posted)
        fDrops.add(Drop::PipeRefusal);
    return posted;
}

void PatchLink::receiveInput() noexcept
{
    if (fPatch != nullptr)
        fPatch->drainInputPipe();
}

bool PatchLink::post(const PatchPost& message) noexcept
{
    return fPatch != nullptr && postAtFrame(*fPatch, fSampleRate, message);
}

void PatchLink::render(float** outputs, uint32_t frames) noexcept
{
    if (outputs == nullptr)
        return;
    if (fPatch != nullptr && outputs[0] != nullptr && outputs[1] != nullptr) {
        fPatch->processBlock(
            nullptr, outputs, static_cast<int>(std::min<uint32_t>(frames, INT_MAX)));
        const uint64_t refusals = fPatch->refusedSchedules();
        fDrops.add(Drop::PoolRefusal, refusals - fCountedRefusals);
        fCountedRefusals = refusals;
        return;
    }
    for (uint32_t i = 0; i < kOutputCount; ++i) {
        if (outputs[i] != nullptr)
            std::memset(outputs[i], 0, sizeof(float) * frames);
    }
}

int PatchLink::latestStepCell(int drum) const noexcept
{
    return fPatch != nullptr ? fPatch->latestStepCell(drum) : -1;
}

} // namespace Orvane
