// Starting values, from the command line and a state file, and the help text. Main thread.
#include "StartValues.h"

#include "ParameterText.h"
#include "SavedState.h"
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

StateFileRead readStateValues(const std::string& path, const PluginAdapter& plugin,
    std::vector<StartValue>& values, std::string& error)
{
    std::string bytes;
    const StateFileRead read = readStateFile(path, bytes, error);
    if (read != StateFileRead::Read)
        return read;
    StateParser parser(
        plugin,
        [](void* context, uint32_t index, double value) {
            static_cast<std::vector<StartValue>*>(context)->push_back(
                StartValue{index, static_cast<float>(value)});
        },
        &values, false);
    if (parser.feed(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()) !=
        StateParser::Progress::Finished) {
        error = path + ": not a saved state, or a damaged one";
        return StateFileRead::Failed;
    }
    return StateFileRead::Read;
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
           "  --state FILE              start from the values saved in FILE (when it exists) and\n"
           "                            save them there on the way out and on SIGUSR1\n"
           "  --SYMBOL VALUE            set a parameter at start, '_' written as '-'\n"
           "                            (value as the plug-in shows it, e.g. --baya-tempo "
           "\"÷1.5\")\n"
           "  -h, --help                show this help\n"
           "\nUnder a session manager (NSM_URL set) the session names the JACK client and keeps\n"
           "the state; SIGUSR1 saves it there too.\n"
           "\nMIDI Control Change on channel 1 (value v; 14-bit w = 128 x coarse + fine):\n"
           "  20 (+52 fine)  Dayan Pattern  clamp(w, 1, 1337)\n"
           "  21             Dayan Length   4 + v x 13 / 128\n"
           "  22             Dayan Tempo    v x 5 / 128 (0 = x2 ... 4 = /2)\n"
           "  23 (+55 fine)  Dayan Tune     -12 + 24 x w / 16383 semitones\n"
           "  24 (+56), 25, 26, 27 (+59)    the same for the Baya\n"
           "\nParameters of this plug-in:\n" +
        Support::SymbolOptions(inputParameters(plugin), texts).helpLines();
}

} // namespace Orvane
