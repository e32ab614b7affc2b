// Starting values and the help text. Main thread.
#include "StartValues.h"

#include "ParameterText.h"

#include <cstdio>
#include <cstdlib>

namespace Orvane {

namespace {

std::string optionOf(const String& symbol)
{
    std::string option = std::string("--") + symbol.buffer();
    for (char& c : option) {
        if (c == '_')
            c = '-';
    }
    return option;
}

std::string shownText(const PluginAdapter& plugin, uint32_t index, double value)
{
    char text[128];
    parameterValueToText(plugin, index, value, text, sizeof(text));
    return text;
}

std::string rangeText(const PluginAdapter& plugin, uint32_t index)
{
    const ValueRange& range = plugin.parameterRanges(index);
    return shownText(plugin, index, range.min) + " to " + shownText(plugin, index, range.max);
}

// The input parameter whose option is `option`; false when none is.
bool findParameter(const PluginAdapter& plugin, const std::string& option, uint32_t& index)
{
    for (uint32_t i = 0; i < plugin.parameterCount(); ++i) {
        if (!plugin.isParameterOutputOrTrigger(i) &&
            optionOf(plugin.parameterSymbol(i)) == option) {
            index = i;
            return true;
        }
    }
    return false;
}

bool valueOf(const PluginAdapter& plugin, uint32_t index, const std::string& text, double& value)
{
    value = parameterTextToValue(plugin, index, text.c_str());
    const ValueRange& range = plugin.parameterRanges(index);
    if (!(value >= range.min && value <= range.max))
        return false;
    char* end = nullptr;
    const double number = std::strtod(text.c_str(), &end);
    const bool plainNumber = !text.empty() && *end == '\0' && number == value;
    return plainNumber || shownText(plugin, index, value) == text;
}

} // namespace

bool resolveStartValues(const PluginAdapter& plugin, const StandaloneOptions& options,
    std::vector<StartValue>& values, std::string& error)
{
    for (const auto& [option, text] : options.parameters) {
        uint32_t index = 0;
        if (!findParameter(plugin, option, index)) {
            error = "unknown option '" + option + "'";
            return false;
        }
        double value = 0.0;
        if (!valueOf(plugin, index, text, value)) {
            error = option + ": invalid value '" + text + "' (" +
                plugin.parameterName(index).buffer() + ", " + rangeText(plugin, index) + ")";
            return false;
        }
        values.push_back(StartValue{index, static_cast<float>(value)});
    }
    return true;
}

std::string standaloneUsage(const PluginAdapter& plugin)
{
    std::string usage =
        "Usage: vantorel [options]\n"
        "       vantorel [options] embed WINDOW\n"
        "       vantorel selftest\n"
        "Plays the groove as a JACK client (a JACK server must be running), with its\n"
        "editor in a window of its own, or inside the X window WINDOW (a decimal id).\n"
        "Without an X display it runs without the editor.\n"
        "\n"
        "  --groove CODE             set the eight values of a groove code, such as\n"
        "                            \"D17:7:x1.5 B3:12:/2:-1\", before the single options\n"
        "  --SYMBOL VALUE            set a parameter at start, '_' written as '-'\n"
        "                            (value as the plug-in shows it, e.g. --baya-tempo \"÷1.5\")\n"
        "  -h, --help                show this help\n"
        "\nParameters of this plug-in:\n";
    for (uint32_t i = 0; i < plugin.parameterCount(); ++i) {
        if (plugin.isParameterOutputOrTrigger(i))
            continue;
        char line[256];
        const std::string option = optionOf(plugin.parameterSymbol(i)) + " VALUE";
        std::snprintf(line, sizeof(line), "  %-26s%s, %s (default %s)\n", option.c_str(),
            plugin.parameterName(i).buffer(), rangeText(plugin, i).c_str(),
            shownText(plugin, i, plugin.parameterRanges(i).def).c_str());
        usage += line;
    }
    return usage;
}

} // namespace Orvane
