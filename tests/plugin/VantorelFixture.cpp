// Rendering helpers of the Vantorel plug-in tests. Test thread only.
#include "VantorelFixture.h"

#include "PendingValues.h"
#include "VantorelParameters.h"
#include "patch/Krell_Vantorel.h"

#include <algorithm>
#include <cmath>

using namespace Orvane;

long Stereo::firstSound() const
{
    for (size_t i = 0; i < left.size(); ++i) {
        if (left[i] != 0.0f || right[i] != 0.0f)
            return static_cast<long>(i);
    }
    return -1;
}

TransportInfo playingTransport(double bpm)
{
    TransportInfo transport;
    transport.playing = true;
    transport.bbt.valid = true;
    transport.bbt.beatsPerMinute = bpm;
    return transport;
}

Stereo renderBlocks(
    PluginAdapter& adapter, TransportInfo transport, uint32_t frames, uint32_t blocks)
{
    Stereo out;
    std::vector<float> left(frames);
    std::vector<float> right(frames);
    float* outputs[2] = {left.data(), right.data()};
    for (uint32_t b = 0; b < blocks; ++b) {
        adapter.setTransportInfo(transport);
        adapter.runCycle(nullptr, outputs, frames, nullptr, 0);
        out.left.insert(out.left.end(), left.begin(), left.end());
        out.right.insert(out.right.end(), right.begin(), right.end());
        if (transport.playing)
            transport.frame += frames;
    }
    return out;
}

Stereo renderWithExactTicks(double sampleRate, const ParameterValues& values,
    const std::vector<uint64_t>& tickFrames, uint64_t totalFrames)
{
    Krell_Vantorel* patch = createPatch(10, 6, 2, sampleRate);
    for (uint32_t i = 0; i < kVantorelParameterCount; ++i)
        patch->postFloat(kVantorelParameters[i].receiverHash, values[i]);

    Stereo out;
    out.left.resize(totalFrames);
    out.right.resize(totalFrames);
    uint64_t position = 0;
    size_t nextTick = 0;
    while (position < totalFrames) {
        while (nextTick < tickFrames.size() && tickFrames[nextTick] == position) {
            patch->postFormatted(kRealtimeReceiver, 0.0, "ff", 248.0, 0.0);
            ++nextTick;
        }
        const uint64_t end = nextTick < tickFrames.size()
            ? std::min(tickFrames[nextTick], totalFrames)
            : totalFrames;
        float* outputs[2] = {out.left.data() + position, out.right.data() + position};
        patch->processBlock(nullptr, outputs, static_cast<int>(end - position));
        position = end;
    }
    destroyPatch(patch);
    return out;
}

std::vector<uint64_t> transportTickFrames(double sampleRate, double bpm, uint64_t totalFrames)
{
    const double perTick = static_cast<float>(sampleRate * 60.0 / bpm) * 0.041666668f;
    std::vector<uint64_t> frames;
    for (double position = 0.0; position < double(totalFrames); position += perTick)
        frames.push_back(static_cast<uint64_t>(std::floor(position)));
    return frames;
}

void VantorelFixture::SetUp()
{
    pendingBufferSize = 512;
    pendingSampleRate = 48000.0;
    pendingBundlePath = nullptr;
    pendingMayRequestChanges = false;
    pendingIsDescriptorOnly = false;
    pendingIsSelfTest = false;
}

std::unique_ptr<PluginAdapter> VantorelFixture::makeAdapter(double sampleRate)
{
    pendingSampleRate = sampleRate;
    return std::make_unique<PluginAdapter>(nullptr, nullptr, nullptr, nullptr);
}

KrellZEF_Vantorel& VantorelFixture::plugin(const PluginAdapter& adapter)
{
    return *static_cast<KrellZEF_Vantorel*>(adapter.plugin());
}

void VantorelFixture::setValues(PluginAdapter& adapter, const ParameterValues& values)
{
    for (uint32_t i = 0; i < values.size(); ++i)
        adapter.setParameterValue(i, values[i]);
}
