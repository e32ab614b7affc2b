// "clap.params": parameter descriptions, values and texts (main thread) and flush (main thread, or
// the audio thread while processing). Ids at or beyond the parameter count are refused.
#include "AudioAssertions.h"
#include "ClapExtensions.h"
#include "ParameterText.h"
#include "PluginCLAP.h"
#include "SoftAssert.h"

#include <cstdio>

namespace Orvane {

namespace {

PluginAdapter* adapterFor(const clap_plugin_t* plugin, uint32_t index) noexcept
{
    PluginCLAP* const instance = instanceOf(plugin);
    if (instance == nullptr || index >= instance->adapter().parameterCount())
        return nullptr;
    return &instance->adapter();
}

uint32_t count(const clap_plugin_t* plugin) noexcept
{
    PluginCLAP* const instance = instanceOf(plugin);
    if (instance == nullptr || !ORVANE_CHECK(instance->adapter().data() != nullptr))
        return 0;
    return instance->adapter().parameterCount();
}

clap_param_info_flags infoFlags(const PluginAdapter& adapter, uint32_t index) noexcept
{
    const uint32_t hints = adapter.parameterHints(index);
    clap_param_info_flags flags = 0;
    if (hints & HintOutput)
        flags |= CLAP_PARAM_IS_READONLY;
    else if (hints & HintAutomatable)
        flags |= CLAP_PARAM_IS_AUTOMATABLE;
    if (hints & (HintBoolean | HintInteger))
        flags |= CLAP_PARAM_IS_STEPPED;
    return flags;
}

bool getInfo(const clap_plugin_t* plugin, uint32_t index, clap_param_info_t* info) noexcept
{
    PluginAdapter* const adapter = adapterFor(plugin, index);
    if (adapter == nullptr || info == nullptr)
        return false;
    *info = clap_param_info_t{};
    info->id = index;
    const ValueRange& range = adapter->parameterRanges(index);
    info->min_value = range.min;
    info->max_value = range.max;
    info->default_value = range.def;

    if (adapter->parameterDesignation(index) == DesignationBypass) {
        info->flags = CLAP_PARAM_IS_STEPPED | CLAP_PARAM_IS_BYPASS | CLAP_PARAM_IS_AUTOMATABLE;
        std::snprintf(info->name, sizeof(info->name), "Bypass");
        std::snprintf(info->module, sizeof(info->module), "zef_bypass");
        return true;
    }
    info->flags = infoFlags(*adapter, index);
    std::snprintf(info->name, sizeof(info->name), "%s", adapter->parameterName(index).buffer());
    const uint32_t group = adapter->parameterGroupId(index);
    const char* const symbol = adapter->parameterSymbol(index).buffer();
    if (group != GroupNone)
        std::snprintf(info->module, sizeof(info->module), "%s/%s",
            adapter->portGroupById(group).symbol.buffer(), symbol);
    else
        std::snprintf(info->module, sizeof(info->module), "%s", symbol);
    return true;
}

bool getValue(const clap_plugin_t* plugin, clap_id id, double* value) noexcept
{
    if (value == nullptr)
        return false;
    // An unknown id reads as 0 for hosts that ignore the answer, and is reported as a failure.
    *value = 0.0;
    PluginAdapter* const adapter = adapterFor(plugin, id);
    if (adapter == nullptr)
        return false;
    *value = adapter->parameterValue(id);
    return true;
}

bool valueToText(
    const clap_plugin_t* plugin, clap_id id, double value, char* display, uint32_t size) noexcept
{
    PluginAdapter* const adapter = adapterFor(plugin, id);
    if (adapter == nullptr || display == nullptr)
        return false;
    if (!ORVANE_CHECK(size > 0))
        return false;
    parameterValueToText(*adapter, id, value, display, size);
    return true;
}

bool textToValue(
    const clap_plugin_t* plugin, clap_id id, const char* display, double* value) noexcept
{
    PluginAdapter* const adapter = adapterFor(plugin, id);
    if (adapter == nullptr || display == nullptr || value == nullptr)
        return false;
    *value = parameterTextToValue(*adapter, id, display);
    return true;
}

void flush(const clap_plugin_t* plugin, const clap_input_events_t* in,
    const clap_output_events_t* out) noexcept
{
    PluginCLAP* const instance = instanceOf(plugin);
    if (instance == nullptr)
        return;
    // An active instance is flushed on the audio thread, which must not wait or print.
    const bool onAudioThread = instance->adapter().isActive();
    const uint32_t eventCount =
        in != nullptr && in->size != nullptr && in->get != nullptr ? in->size(in) : 0;
    for (uint32_t i = 0; i < eventCount; ++i) {
        const clap_event_header_t* const event = in->get(in, i);
        if (!isCoreEvent(event) || event->type != CLAP_EVENT_PARAM_VALUE)
            continue;
        const bool sized = onAudioThread
            ? ORVANE_AUDIO_CHECK_UINT2(event->size == sizeof(clap_event_param_value), event->size,
                  sizeof(clap_event_param_value))
            : ORVANE_CHECK_UINT2(event->size == sizeof(clap_event_param_value), event->size,
                  sizeof(clap_event_param_value));
        if (!sized)
            break;
        const auto* const param = reinterpret_cast<const clap_event_param_value_t*>(event);
        instance->applyHostParameter(param->param_id, param->value, onAudioThread);
    }
    if (out != nullptr && out->try_push != nullptr) {
        instance->sendQueuedEvents(out);
        instance->reportOutputParameters(out, 0);
    }
}

constexpr clap_plugin_params_t kParams = {
    count, getInfo, getValue, valueToText, textToValue, flush};

} // namespace

const clap_plugin_params_t* paramsExtension() noexcept
{
    return &kParams;
}

} // namespace Orvane
