// The panel's values and the edits its knobs send. Editor thread.
#include "PanelModel.h"

#include <algorithm>
#include <cmath>

namespace Orvane {

namespace {

int defaultUnits(uint32_t index) noexcept
{
    return static_cast<int>(
        std::lround(kVantorelParameters[index].defaultValue * PanelModel::unitsPerValue(index)));
}

} // namespace

PanelModel::PanelModel(EditTarget& target) noexcept : fTarget(target)
{
    for (uint32_t i = 0; i < kCount; ++i)
        fValues[i] = defaultUnits(i);
}

int PanelModel::value(uint32_t index) const noexcept
{
    return index < kCount ? fValues[index] : 0;
}

bool PanelModel::hostValue(uint32_t index, float value) noexcept
{
    if (index >= kCount || std::isnan(value))
        return false;
    const double units = static_cast<double>(value) * unitsPerValue(index);
    const double whole = unitsPerValue(index) == 1 ? std::trunc(units) : std::round(units);
    // Kept inside int, so that a wild host value converts safely.
    fValues[index] = static_cast<int>(std::clamp(whole, -2147483648.0, 2147483647.0));
    return true;
}

void PanelModel::knobFrame(uint32_t index, const KnobReport& report) noexcept
{
    if (index >= kCount)
        return;
    fValues[index] = report.value;
    const bool activated = report.active && !fWasActive[index];
    const bool released = !report.active && fWasActive[index];
    fWasActive[index] = report.active;
    // A grab opens a gesture whether or not the value moves.
    if (activated) {
        fTarget.gesture(index, true);
        fGestureOpen[index] = true;
    }
    if (report.changed) {
        if (activated && report.doubleClicked)
            fValues[index] = defaultUnits(index);
        fTarget.value(
            index, static_cast<float>(static_cast<double>(fValues[index]) / unitsPerValue(index)));
    }
    if (released && fGestureOpen[index]) {
        fTarget.gesture(index, false);
        fGestureOpen[index] = false;
    }
}

void PanelModel::endOpenGestures() noexcept
{
    for (uint32_t i = 0; i < kCount; ++i) {
        if (!fGestureOpen[i])
            continue;
        fGestureOpen[i] = false;
        fTarget.gesture(i, false);
    }
}

} // namespace Orvane
