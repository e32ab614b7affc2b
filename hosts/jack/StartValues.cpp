// Starting values and the help text. Main thread.
#include "StartValues.h"

#include "ParameterText.h"
#include "support/SymbolOptions.h"

namespace Orvane {

namespace {

// The plug-in's value texts, straight from its parameter descriptions.
class AdapterTexts final : public Support::OptionTexts {
public:
    explicit AdapterTexts(const PluginAdapter& plugin) : fPlugin(plugin) { }

    std::string text(uint32_t id, double value) const override
    {
        char text[128];
        parameterValueToText(fPlugin, id, value, text, sizeof(text));
        return text;
    }

    bool value(uint32_t id, const std::string& text, double& value) const override
    {
        return parameterTextToValue(fPlugin, id, text.c_str(), value);
    }

private:
    const PluginAdapter& fPlugin;
};

// The input parameters, which alone take starting values.
std::vector<Support::OptionParameter> inputParameters(const PluginAdapter& plugin)
{
    std::vector<Support::OptionParameter> parameters;
    for (uint32_t i = 0; i < plugin.parameterCount(); ++i) {
        if (plugin.isParameterOutputOrTrigger(i))
            continue;
        const ValueRange& range = plugin.parameterRanges(i);
        parameters.push_back(Support::OptionParameter{i, plugin.parameterSymbol(i).buffer(),
            plugin.parameterName(i).buffer(), range.min, range.max, range.def});
    }
    return parameters;
}

} // namespace

bool resolveStartValues(const PluginAdapter& plugin, const StandaloneOptions& options,
    std::vector<StartValue>& values, std::string& error)
{
    const AdapterTexts texts(plugin);
    std::vector<Support::OptionValue> resolved;
    if (!Support::SymbolOptions(inputParameters(plugin), texts)
             .resolve(options.parameters, resolved, error))
        return false;
    for (const Support::OptionValue& value : resolved)
        values.push_back(StartValue{value.id, static_cast<float>(value.value)});
    return true;
}

std::string standaloneUsage(const PluginAdapter& plugin)
{
    const AdapterTexts texts(plugin);
    return "Usage: vantorel [options]\n"
           "       vantorel [options] embed WINDOW\n"
           "       vantorel selftest\n"
           "Plays the groove as a JACK client (a JACK server must be running), with its\n"
           "editor in a window of its own, or inside the X window WINDOW (a decimal id).\n"
           "Without an X display it runs without the editor.\n"
           "\n"
           "  --SYMBOL VALUE            set a parameter at start, '_' written as '-'\n"
           "                            (value as the plug-in shows it, e.g. --baya-tempo "
           "\"÷1.5\")\n"
           "  -h, --help                show this help\n"
           "\nParameters of this plug-in:\n" +
        Support::SymbolOptions(inputParameters(plugin), texts).helpLines();
}

} // namespace Orvane
