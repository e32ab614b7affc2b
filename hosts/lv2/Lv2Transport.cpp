// time:Position objects to the framework's TransportInfo. Audio thread.
#include "Lv2Transport.h"

#include <lv2/atom/util.h>

#include <cmath>
#include <limits>

namespace Orvane {

namespace {

constexpr double kTicksPerBeat = 1920.0;

// Hosts differ in the atom types of the position's numbers; every numeric type is taken.
bool readNumber(const Lv2Uris& uris, const LV2_Atom* atom, double& value) noexcept
{
    if (atom == nullptr)
        return false;
    double number;
    if (atom->type == uris.atomFloat && atom->size >= sizeof(float))
        number = reinterpret_cast<const LV2_Atom_Float*>(atom)->body;
    else if (atom->type == uris.atomDouble && atom->size >= sizeof(double))
        number = reinterpret_cast<const LV2_Atom_Double*>(atom)->body;
    else if (atom->type == uris.atomInt && atom->size >= sizeof(int32_t))
        number = reinterpret_cast<const LV2_Atom_Int*>(atom)->body;
    else if (atom->type == uris.atomLong && atom->size >= sizeof(int64_t))
        number = static_cast<double>(reinterpret_cast<const LV2_Atom_Long*>(atom)->body);
    else
        return false;
    if (!std::isfinite(number))
        return false;
    value = number;
    return true;
}

int32_t toInt32(double value) noexcept
{
    constexpr double limit = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::fmax(-limit, std::fmin(limit, value)));
}

} // namespace

void Lv2Transport::readPosition(const Lv2Uris& uris, const LV2_Atom_Object* object) noexcept
{
    if (object->body.otype != uris.timePosition)
        return;
    const LV2_Atom* speed = nullptr;
    const LV2_Atom* frame = nullptr;
    const LV2_Atom* bar = nullptr;
    const LV2_Atom* barBeat = nullptr;
    const LV2_Atom* beatsPerBar = nullptr;
    const LV2_Atom* beatUnit = nullptr;
    const LV2_Atom* beatsPerMinute = nullptr;
    lv2_atom_object_get(object, uris.timeSpeed, &speed, uris.timeFrame, &frame, uris.timeBar, &bar,
        uris.timeBarBeat, &barBeat, uris.timeBeatsPerBar, &beatsPerBar, uris.timeBeatUnit,
        &beatUnit, uris.timeBeatsPerMinute, &beatsPerMinute, 0);

    fHasPosition = true;
    readNumber(uris, speed, fSpeed);
    readNumber(uris, frame, fFrame);
    readNumber(uris, beatUnit, fBeatUnit);
    readNumber(uris, beatsPerMinute, fBeatsPerMinute);
    double metre;
    if (readNumber(uris, beatsPerBar, metre) && metre > 0.0)
        fBeatsPerBar = metre;
    const bool hasBar = readNumber(uris, bar, fBar);
    const bool hasBeat = readNumber(uris, barBeat, fBarBeat);
    fHasBarBeat = fHasBarBeat || (hasBar && hasBeat);
}

TransportInfo Lv2Transport::current() const noexcept
{
    TransportInfo info;
    info.playing = fHasPosition && fSpeed != 0.0;
    info.frame = fFrame > 0.0 ? static_cast<uint64_t>(fFrame) : 0;
    info.bbt.ticksPerBeat = kTicksPerBeat;
    info.bbt.beatsPerMinute = fBeatsPerMinute;
    if (!fHasBarBeat)
        return info;
    info.bbt.valid = true;
    info.bbt.beatsPerBar = static_cast<float>(fBeatsPerBar);
    info.bbt.beatType = static_cast<float>(fBeatUnit);
    // Before the first bar (a count-in) the position reads as the song's start.
    if (fBar < 0.0 || fBarBeat < 0.0)
        return info;
    const double wholeBeat = std::floor(fBarBeat);
    info.bbt.bar = toInt32(fBar + 1.0);
    info.bbt.beat = toInt32(wholeBeat + 1.0);
    info.bbt.tick = (fBarBeat - wholeBeat) * kTicksPerBeat;
    info.bbt.barStartTick = fBar * fBeatsPerBar * kTicksPerBeat;
    return info;
}

void Lv2Transport::advance(uint32_t frames, double sampleRate) noexcept
{
    if (!fHasPosition || fSpeed == 0.0 || !(sampleRate > 0.0))
        return;
    const double played = frames * fSpeed;
    fFrame += played;
    if (!fHasBarBeat)
        return;
    const double beats =
        fBar * fBeatsPerBar + fBarBeat + played * fBeatsPerMinute / 60.0 / sampleRate;
    fBar = std::floor(beats / fBeatsPerBar);
    fBarBeat = beats - fBar * fBeatsPerBar;
}

} // namespace Orvane
