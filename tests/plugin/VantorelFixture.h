// Common set-up of the tests of the real Vantorel plug-in: pending values for a new instance,
// block rendering through the adapter, and a bare groove patch driven with exactly placed clock
// ticks as the reference for what the plug-in should render. Test thread only.
#pragma once

#include "KrellZEF_Vantorel.h"
#include "PluginAdapter.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

struct Stereo {
    std::vector<float> left;
    std::vector<float> right;

    bool operator==(const Stereo& other) const
    {
        return left == other.left && right == other.right;
    }
    // First frame with a sound on either channel, or -1.
    long firstSound() const;
    bool silent() const { return firstSound() < 0; }
};

// In index order; values left out of a list are the Tunes' default, 0.
using ParameterValues = std::array<float, Orvane::kVantorelParameterCount>;
constexpr ParameterValues kDefaultValues = {Orvane::kVantorelParameters[0].defaultValue,
    Orvane::kVantorelParameters[1].defaultValue, Orvane::kVantorelParameters[2].defaultValue,
    Orvane::kVantorelParameters[3].defaultValue, Orvane::kVantorelParameters[4].defaultValue,
    Orvane::kVantorelParameters[5].defaultValue, Orvane::kVantorelParameters[6].defaultValue,
    Orvane::kVantorelParameters[7].defaultValue};

Orvane::TransportInfo playingTransport(double bpm);

// Renders `blocks` blocks of `frames`; a playing transport moves on by `frames` per block.
Stereo renderBlocks(Orvane::PluginAdapter& adapter, Orvane::TransportInfo transport,
    uint32_t frames, uint32_t blocks);

// A bare groove patch given the values, then one clock tick at each of `tickFrames` (ascending),
// each placed exactly by starting a block on its frame.
Stereo renderWithExactTicks(double sampleRate, const ParameterValues& values,
    const std::vector<uint64_t>& tickFrames, uint64_t totalFrames);

// Frames of the ticks of a transport playing from frame 0: floor(n * samples per tick).
std::vector<uint64_t> transportTickFrames(double sampleRate, double bpm, uint64_t totalFrames);

class VantorelFixture : public ::testing::Test {
protected:
    void SetUp() override;

    std::unique_ptr<Orvane::PluginAdapter> makeAdapter(double sampleRate = 48000.0);
    static Orvane::KrellZEF_Vantorel& plugin(const Orvane::PluginAdapter& adapter);
    static void setValues(Orvane::PluginAdapter& adapter, const ParameterValues& values);
};
