// Fills the framework's parameter records from the parameter table. Main thread.
#include "VantorelParameters.h"

namespace Orvane {

namespace {

void describeTempoRatios(EnumValueList& list)
{
    if (!list.allocate(kTempoRatioCount))
        return;
    list.restrictedMode = true;
    for (uint8_t i = 0; i < kTempoRatioCount; ++i) {
        list.values[i].value = static_cast<float>(i);
        list.values[i].label = kTempoRatioLabels[i];
    }
}

} // namespace

void describeVantorelParameter(uint32_t index, ParameterInfo& parameter)
{
    if (index >= kVantorelParameterCount)
        return;
    const VantorelParameter& entry = kVantorelParameters[index];
    parameter.hints = entry.stepped ? HintAutomatable | HintInteger : HintAutomatable;
    parameter.valueTexts = entry.texts;
    parameter.name = entry.name;
    parameter.symbol = entry.symbol;
    parameter.unit = entry.unit;
    parameter.ranges.def = entry.defaultValue;
    parameter.ranges.min = entry.minimum;
    parameter.ranges.max = entry.maximum;
    if (entry.isTempo)
        describeTempoRatios(parameter.enumValues);
}

} // namespace Orvane
