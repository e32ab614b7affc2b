// The panel's values and the edits its knobs send. Editor thread.
#include "PanelModel.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Orvane {

PanelModel::PanelModel(EditTarget& target) noexcept : fTarget(target)
{
    for (uint32_t i = 0; i < kCount; ++i)
        fValues[i] = static_cast<int>(kVantorelParameters[i].defaultValue);
}

int PanelModel::value(uint32_t index) const noexcept
{
    return index < kCount ? fValues[index] : 0;
}

bool PanelModel::hostValue(uint32_t index, float value) noexcept
{
    if (index >= kCount || std::isnan(value))
        return false;
    // Kept inside int, so that a wild host value converts safely.
    const double truncated = std::trunc(static_cast<double>(value));
    fValues[index] = static_cast<int>(std::clamp(truncated, -2147483648.0, 2147483647.0));
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
            fValues[index] = static_cast<int>(kVantorelParameters[index].defaultValue);
        fTarget.value(index, static_cast<float>(fValues[index]));
    }
    if (released && fGestureOpen[index]) {
        fTarget.gesture(index, false);
        fGestureOpen[index] = false;
    }
}

bool PanelModel::editAsGesture(uint32_t index, float value) noexcept
{
    if (index >= kCount || fWasActive[index] || std::isnan(value))
        return false;
    const VantorelParameter& parameter = kVantorelParameters[index];
    const int held = static_cast<int>(std::clamp(value, parameter.minimum, parameter.maximum));
    if (held == fValues[index])
        return false;
    fValues[index] = held;
    fTarget.gesture(index, true);
    fTarget.value(index, static_cast<float>(held));
    fTarget.gesture(index, false);
    return true;
}

Groove PanelModel::groove() const
{
    Groove groove;
    for (uint32_t i = 0; i < kCount; ++i)
        setGrooveValue(groove, kVantorelParameters[i].symbol, fValues[i]);
    return groove;
}

void PanelModel::applyGroove(const Groove& groove) noexcept
{
    GrooveValue values[kGrooveValueCount];
    grooveValues(groove, values);
    for (const GrooveValue& value : values) {
        for (uint32_t i = 0; i < kCount; ++i) {
            if (std::strcmp(kVantorelParameters[i].symbol, value.symbol) == 0)
                editAsGesture(i, static_cast<float>(value.value));
        }
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
