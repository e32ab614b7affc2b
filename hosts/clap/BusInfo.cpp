// Builds the CLAP audio bus lists from the framework's audio ports. Main thread, at creation.
#include "BusInfo.h"

#include "OrvanePluginInfo.h"

#include <cstdio>

namespace Orvane {

namespace {

constexpr uint32_t kSidechainIdBase = 0x20000000;
constexpr uint32_t kGroupIdBase = 0x80000000;

enum class BusKind {
    None,
    Plain,
    Sidechain,
    Group
};

void setName(BusInfo& bus, const char* name) noexcept
{
    std::snprintf(bus.name, sizeof(bus.name), "%s", name);
}

const char* mainBusName(bool isInput) noexcept
{
    return isInput ? "Audio Input" : "Audio Output";
}

} // namespace

BusList buildBuses(const PluginAdapter& adapter, bool isInput)
{
    const uint32_t portCount = isInput ? ORVANE_PLUGIN_NUM_INPUTS : ORVANE_PLUGIN_NUM_OUTPUTS;
    BusList list;
    BusKind lastKind = BusKind::None;
    uint32_t lastGroup = GroupNone;
    uint32_t plainCount = 0;
    uint32_t sidechainCount = 0;

    for (uint32_t i = 0; i < portCount; ++i) {
        const AudioPortInfo& port = adapter.audioPort(isInput, i);
        BusKind kind;
        if (port.groupId != GroupNone)
            kind = BusKind::Group;
        else if (port.hints & PortIsCV)
            kind = BusKind::None;
        else if (port.hints & PortIsSidechain)
            kind = BusKind::Sidechain;
        else
            kind = BusKind::Plain;

        if (kind == BusKind::None) {
            list.usesCV = true;
            lastKind = kind;
            continue;
        }
        const bool extends =
            kind == lastKind && (kind != BusKind::Group || port.groupId == lastGroup);
        lastKind = kind;
        lastGroup = port.groupId;
        if (extends) {
            ++list.buses.back().channelCount;
            continue;
        }

        BusInfo bus;
        const bool first = list.buses.empty();
        bus.isMain = first;
        if (kind == BusKind::Sidechain) {
            bus.id = kSidechainIdBase + sidechainCount++;
            setName(bus, port.name.buffer());
        } else if (kind == BusKind::Plain) {
            bus.id = plainCount++;
            setName(bus, first ? mainBusName(isInput) : port.name.buffer());
        } else {
            bus.id = port.groupId + kGroupIdBase; // wraps in 32 bits
            const PortGroupInfo& group = adapter.portGroupById(port.groupId);
            const bool predefined = port.groupId == GroupMono || port.groupId == GroupStereo;
            if (predefined && first)
                setName(bus, mainBusName(isInput));
            else
                setName(bus, group.name.isNotEmpty() ? group.name.buffer() : port.name.buffer());
        }
        list.buses.push_back(bus);
    }
    return list;
}

} // namespace Orvane
