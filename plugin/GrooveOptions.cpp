// "--groove CODE" turned into parameter options; see GrooveOptions.h. Main thread.
#include "GrooveOptions.h"

#include "GrooveCode.h"

#include <cstdio>

namespace Orvane {

bool expandGrooveOptions(Support::GivenOptions& given, std::string& error)
{
    Support::GivenOptions fromCodes;
    Support::GivenOptions single;
    for (const auto& [option, text] : given) {
        if (option != kGrooveOption) {
            single.emplace_back(option, text);
            continue;
        }
        Groove groove;
        std::string reason;
        if (!parseGrooveCode(text, groove, reason)) {
            error = std::string(kGrooveOption) + ": " + reason;
            return false;
        }
        GrooveValue values[kGrooveValueCount];
        grooveValues(groove, values);
        for (const GrooveValue& value : values) {
            // Plain numbers, which every parameter reads back as they are (at most two decimals).
            char number[32];
            std::snprintf(number, sizeof(number), "%g", value.value);
            fromCodes.emplace_back(Support::symbolOption(value.symbol), number);
        }
    }
    fromCodes.insert(fromCodes.end(), single.begin(), single.end());
    given = std::move(fromCodes);
    return true;
}

} // namespace Orvane
