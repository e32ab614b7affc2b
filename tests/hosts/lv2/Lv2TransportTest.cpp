// The transport between two positions: hosts that send a position only when the transport
// changes rely on the plug-in to move it on by itself.
#include "Lv2Transport.h"
#include "Lv2TestHost.h"

#include <gtest/gtest.h>
#include <lv2/time/time.h>

#include <vector>

namespace {

// One time:Position object with the keys given (key URI, float value).
std::vector<uint64_t> positionObject(const std::vector<std::pair<const char*, float>>& keys)
{
    std::vector<uint64_t> buffer(128);
    UridTable& u = UridTable::instance();
    LV2_Atom_Forge forge;
    lv2_atom_forge_init(&forge, u.mapFeature());
    lv2_atom_forge_set_buffer(&forge, reinterpret_cast<uint8_t*>(buffer.data()), buffer.size() * 8);
    LV2_Atom_Forge_Frame frame;
    lv2_atom_forge_object(&forge, &frame, 0, u.map(LV2_TIME__Position));
    for (const auto& [key, value] : keys) {
        lv2_atom_forge_key(&forge, u.map(key));
        lv2_atom_forge_float(&forge, value);
    }
    lv2_atom_forge_pop(&forge, &frame);
    return buffer;
}

} // namespace

TEST(Lv2Transport, AdvancesTheLastPositionByEachBlockAndKeepsWhatLaterPositionsLeaveOut)
{
    const Orvane::Lv2Uris uris(UridTable::instance().mapFeature());
    Orvane::Lv2Transport transport;
    EXPECT_FALSE(transport.current().playing);

    // Bar 2 (counted from 0), beat 3.5 of 4, at 120 bpm: one beat is 24000 frames at 48 kHz.
    const auto start = positionObject({{LV2_TIME__speed, 1.0f}, {LV2_TIME__frame, 1000.0f},
        {LV2_TIME__bar, 2.0f}, {LV2_TIME__barBeat, 3.5f}, {LV2_TIME__beatsPerBar, 4.0f},
        {LV2_TIME__beatUnit, 4.0f}, {LV2_TIME__beatsPerMinute, 120.0f}});
    transport.readPosition(uris, reinterpret_cast<const LV2_Atom_Object*>(start.data()));
    transport.advance(24000, 48000.0);
    Orvane::TransportInfo info = transport.current();
    EXPECT_TRUE(info.playing);
    EXPECT_EQ(info.frame, 25000u);
    EXPECT_TRUE(info.bbt.valid);
    EXPECT_EQ(info.bbt.bar, 4);
    EXPECT_EQ(info.bbt.beat, 1);
    EXPECT_DOUBLE_EQ(info.bbt.tick, 960.0);
    EXPECT_DOUBLE_EQ(info.bbt.barStartTick, 3 * 4 * 1920.0);

    // A stop that names only the speed keeps the place; the stopped transport stays put.
    const auto stop = positionObject({{LV2_TIME__speed, 0.0f}});
    transport.readPosition(uris, reinterpret_cast<const LV2_Atom_Object*>(stop.data()));
    transport.advance(48000, 48000.0);
    info = transport.current();
    EXPECT_FALSE(info.playing);
    EXPECT_EQ(info.frame, 25000u);
    EXPECT_EQ(info.bbt.bar, 4);
    EXPECT_DOUBLE_EQ(info.bbt.beatsPerMinute, 120.0);
}
