// Parameter options on a host's command line. Main thread.
#include "support/SymbolOptions.h"

#include <cstdio>
#include <cstdlib>

namespace Support {

std::string symbolOption(const std::string& symbol)
{
    std::string option = "--" + symbol;
    for (char& c : option) {
        if (c == '_')
            c = '-';
    }
    return option;
}

bool takeOptionValue(
    int argc, const char* const* argv, int& index, GivenOptions& given, std::string& error)
{
    const std::string option = argv[index];
    if (index + 1 >= argc) {
        error = option + ": missing value";
        return false;
    }
    ++index;
    given.emplace_back(option, argv[index]);
    return true;
}

SymbolOptions::SymbolOptions(std::vector<OptionParameter> parameters, const OptionTexts& texts)
    : fParameters(std::move(parameters)), fTexts(texts)
{
}

bool SymbolOptions::resolve(
    const GivenOptions& given, std::vector<OptionValue>& values, std::string& error) const
{
    for (const auto& [option, text] : given) {
        const OptionParameter* parameter = nullptr;
        for (const OptionParameter& candidate : fParameters) {
            if (symbolOption(candidate.symbol) == option) {
                parameter = &candidate;
                break;
            }
        }
        if (parameter == nullptr) {
            error = "unknown option '" + option + "'";
            return false;
        }
        double value = 0.0;
        if (!acceptedValue(*parameter, text, value)) {
            error = option + ": invalid value '" + text + "' (" + parameter->name + ", " +
                rangeText(*parameter) + ")";
            return false;
        }
        values.push_back(OptionValue{parameter->id, value});
    }
    return true;
}

std::string SymbolOptions::helpLines() const
{
    std::string lines;
    for (const OptionParameter& parameter : fParameters) {
        char line[512];
        const std::string option = symbolOption(parameter.symbol) + " VALUE";
        std::snprintf(line, sizeof(line), "  %-26s%s, %s (default %s)\n", option.c_str(),
            parameter.name.c_str(), rangeText(parameter).c_str(),
            fTexts.text(parameter.id, parameter.defaultValue).c_str());
        lines += line;
    }
    return lines;
}

std::string SymbolOptions::rangeText(const OptionParameter& parameter) const
{
    return fTexts.text(parameter.id, parameter.minimum) + " to " +
        fTexts.text(parameter.id, parameter.maximum);
}

// A shown text that the plug-in reads back leniently ("12abc" as 12, say) is refused unless it
// is the plug-in's own text for the value or the plain number.
bool SymbolOptions::acceptedValue(
    const OptionParameter& parameter, const std::string& text, double& value) const
{
    if (!fTexts.value(parameter.id, text, value))
        return false;
    if (!(value >= parameter.minimum && value <= parameter.maximum))
        return false;
    char* end = nullptr;
    const double number = std::strtod(text.c_str(), &end);
    const bool plainNumber = !text.empty() && *end == '\0' && number == value;
    return plainNumber || fTexts.text(parameter.id, value) == text;
}

} // namespace Support
