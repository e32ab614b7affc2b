// The Vantorel plug-in class. Main thread, except renderBlock (audio thread) and the parameter
// values (any thread).
#include "KrellZEF_Vantorel.h"

#include "MidiForwarding.h"
#include "patch/StrokeTables.h"

#include <cmath>

namespace Orvane {

KrellZEF_Vantorel::KrellZEF_Vantorel()
    : Plugin(kVantorelParameterCount, 0, 0), fPatch(this, drops())
{
    for (uint32_t i = 0; i < kVantorelParameterCount; ++i)
        fValues[i].store(kVantorelParameters[i].defaultValue, std::memory_order_relaxed);
    // Without a patch the plug-in still works: silent, until a sample-rate change tries again.
    fPatch.rebuild(sampleRate());
    postCurrentValues();
}

const char* KrellZEF_Vantorel::label() const
{
    return "Vantorel";
}

const char* KrellZEF_Vantorel::maker() const
{
    return "Fellmark Audio";
}

const char* KrellZEF_Vantorel::license() const
{
    return "";
}

uint32_t KrellZEF_Vantorel::version() const
{
    return 1;
}

int64_t KrellZEF_Vantorel::uniqueId() const
{
    return 1489202140;
}

void KrellZEF_Vantorel::describeParameter(uint32_t index, ParameterInfo& parameter)
{
    describeVantorelParameter(index, parameter);
}

float KrellZEF_Vantorel::parameterValue(uint32_t index) const noexcept
{
    if (index >= kVantorelParameterCount)
        return 0.0f;
    return fValues[index].load(std::memory_order_relaxed);
}

// A NaN or infinite value would reach the patch's integer conversions and seed; it is dropped.
bool KrellZEF_Vantorel::usable(uint32_t index, float value) noexcept
{
    return index < kVantorelParameterCount && std::isfinite(value);
}

void KrellZEF_Vantorel::applyParameter(uint32_t index, float value) noexcept
{
    if (!usable(index, value))
        return;
    fValues[index].store(value, std::memory_order_relaxed);
    postValue(index);
}

void KrellZEF_Vantorel::applyParameterInProcess(uint32_t index, float value) noexcept
{
    if (!usable(index, value))
        return;
    fValues[index].store(value, std::memory_order_relaxed);
    fPostPending[index].store(true, std::memory_order_relaxed);
}

// The stored value is what the host shows and saves, so the patch must get it in the end.
void KrellZEF_Vantorel::postValue(uint32_t index) noexcept
{
    const bool posted = fPatch.postParameter(
        kVantorelParameters[index].receiverHash, fValues[index].load(std::memory_order_relaxed));
    fPostPending[index].store(!posted, std::memory_order_relaxed);
}

void KrellZEF_Vantorel::postCurrentValues() noexcept
{
    for (uint32_t i = 0; i < kVantorelParameterCount; ++i)
        postValue(i);
}

// Scheduled at frame 0, where a post between blocks lands too; one the patch refuses waits for the
// next block.
void KrellZEF_Vantorel::postPendingValues() noexcept
{
    for (uint32_t i = 0; i < kVantorelParameterCount; ++i) {
        if (!fPostPending[i].exchange(false, std::memory_order_relaxed))
            continue;
        PatchPost post;
        post.receiverHash = kVantorelParameters[i].receiverHash;
        post.count = 1;
        post.values[0] = fValues[i].load(std::memory_order_relaxed);
        if (!fPatch.post(post))
            fPostPending[i].store(true, std::memory_order_relaxed);
    }
}

// Everything the audio thread sends the patch goes straight to its scheduler, after what other
// threads posted before the block: no lock, and the order of equal timestamps is kept.
void KrellZEF_Vantorel::renderBlock(const float* const*, float** outputs, uint32_t frames,
    const MidiMessage* midiMessages, uint32_t midiMessageCount) noexcept
{
    fPatch.receiveInput();
    postPendingValues();
    const TransportInfo& transport = transportInfo();
    const bool clockMoved = fClock.advance(transport, frames, sampleRate(), fPatch);
    drops().add(Drop::TickCut, fClock.ticksCutInLastBlock());
    forwardMidiMessages(midiMessages, midiMessageCount, frames, fPatch);
    if (clockMoved)
        TransportClock::postTempo(transport.bbt.beatsPerMinute, fPatch);
    fPatch.render(outputs, frames);
    fStepCells[kDayanStepMonitor].store(fPatch.latestStepCell(kDayan), std::memory_order_relaxed);
    fStepCells[kBayaStepMonitor].store(fPatch.latestStepCell(kBaya), std::memory_order_relaxed);
}

uint32_t KrellZEF_Vantorel::monitorCount() const noexcept
{
    return 2;
}

int32_t KrellZEF_Vantorel::monitorValue(uint32_t index) const noexcept
{
    return index < 2 ? fStepCells[index].load(std::memory_order_relaxed) : -1;
}

void KrellZEF_Vantorel::onSampleRateChange(double newSampleRate)
{
    fPatch.rebuild(newSampleRate);
    postCurrentValues();
}

} // namespace Orvane
