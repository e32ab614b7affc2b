// The Vantorel plug-in class. Main thread, except renderBlock (audio thread) and the parameter
// values (any thread).
#include "KrellZEF_Vantorel.h"

#include "MidiForwarding.h"

#include <cmath>

namespace Orvane {

KrellZEF_Vantorel::KrellZEF_Vantorel() : Plugin(kVantorelParameterCount, 0, 0), fPatch(this)
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
void KrellZEF_Vantorel::applyParameter(uint32_t index, float value) noexcept
{
    if (index >= kVantorelParameterCount || !std::isfinite(value))
        return;
    fValues[index].store(value, std::memory_order_relaxed);
    postValue(index);
}

// The stored value is what the host shows and saves, so the patch must get it in the end.
void KrellZEF_Vantorel::postValue(uint32_t index) noexcept
{
    const bool posted = fPatch.postParameter(
        kVantorelParameters[index].receiverHash, fValues[index].load(std::memory_order_relaxed));
    fRepostPending[index].store(!posted, std::memory_order_relaxed);
}

void KrellZEF_Vantorel::postCurrentValues() noexcept
{
    for (uint32_t i = 0; i < kVantorelParameterCount; ++i)
        postValue(i);
}

void KrellZEF_Vantorel::repostRefusedValues() noexcept
{
    for (uint32_t i = 0; i < kVantorelParameterCount; ++i) {
        if (fRepostPending[i].exchange(false, std::memory_order_relaxed))
            postValue(i);
    }
}

void KrellZEF_Vantorel::renderBlock(const float* const*, float** outputs, uint32_t frames,
    const MidiMessage* midiMessages, uint32_t midiMessageCount) noexcept
{
    repostRefusedValues();
    const TransportInfo& transport = transportInfo();
    const bool clockMoved = fClock.advance(transport, frames, sampleRate(), fPatch);
    forwardMidiMessages(midiMessages, midiMessageCount, frames, fPatch);
    if (clockMoved)
        TransportClock::postTempo(transport.bbt.beatsPerMinute, fPatch);
    fPatch.render(outputs, frames);
}

void KrellZEF_Vantorel::onSampleRateChange(double newSampleRate)
{
    fPatch.rebuild(newSampleRate);
    postCurrentValues();
}

} // namespace Orvane
