// Command-line options named after a plug-in's parameter symbols ("--baya-length 7"): how hosts
// collect them, check them against the plug-in's parameters and list them in their help. The
// render tool and the JACK program share it. [main-thread]
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace Support {

// One parameter that an option sets, as the host knows it.
struct OptionParameter {
    uint32_t id; // the host's handle for the parameter
    std::string symbol;
    std::string name;
    double minimum;
    double maximum;
    double defaultValue;
};

// A plug-in's value texts, reached the host's way.
class OptionTexts {
public:
    virtual ~OptionTexts() = default;
    // The text the plug-in shows for `value`.
    virtual std::string text(uint32_t id, double value) const = 0;
    // The value the plug-in reads in `text`; false when it reads none.
    virtual bool value(uint32_t id, const std::string& text, double& value) const = 0;
};

// (option as given, value text), in command-line order.
using GivenOptions = std::vector<std::pair<std::string, std::string>>;

struct OptionValue {
    uint32_t id;
    double value;
};

// "--" and the symbol with '_' written as '-'.
std::string symbolOption(const std::string& symbol);

// Takes argv[index] (an option) and the argument after it into `given`; `index` is left on the
// value. False with "OPTION: missing value" when no argument follows.
bool takeOptionValue(
    int argc, const char* const* argv, int& index, GivenOptions& given, std::string& error);

class SymbolOptions {
public:
    SymbolOptions(std::vector<OptionParameter> parameters, const OptionTexts& texts);

    // The parameter and value of each given option, in order. A value is accepted when it lies
    // in the parameter's range and its text is either what the plug-in shows for it or a plain
    // number. False with a one-line `error` at the first option that names no parameter
    // ("unknown option '--x'") or whose value is refused ("--x: invalid value 'T' (Name, MIN to
    // MAX)").
    bool resolve(
        const GivenOptions& given, std::vector<OptionValue>& values, std::string& error) const;

    // One line per parameter: its option, name, range and default, aligned with the host's other
    // help lines (options in a 26-column field after two spaces).
    std::string helpLines() const;

private:
    std::vector<OptionParameter> fParameters;
    const OptionTexts& fTexts;

    std::string rangeText(const OptionParameter& parameter) const;
    bool acceptedValue(
        const OptionParameter& parameter, const std::string& text, double& value) const;
};

} // namespace Support
