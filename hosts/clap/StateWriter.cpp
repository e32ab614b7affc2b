// The state writer: builds the saved byte stream and hands it to the host's stream. Main thread.
#include "StateWriter.h"

#include "SoftAssert.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <locale.h>

namespace Orvane {

namespace {

constexpr char kSeparator = '\xFF';
constexpr char kTerminator = '\xFE';

std::string integerText(float value)
{
    constexpr float kExact = 8388608.0f; // 2^23: no fraction left above this
    float rounded = std::abs(value) < kExact ? std::round(value) : value;
    // The int conversion needs a value that fits.
    rounded =
        std::isnan(rounded) ? 0.0f : std::fmax(std::fmin(rounded, 2147483520.0f), -2147483648.0f);
    char text[16];
    std::snprintf(text, sizeof(text), "%d", static_cast<int>(rounded));
    return text;
}

// "%.12g" with a decimal point whatever the process locale; the process locale when the "C"
// locale cannot be made.
std::string floatText(float value)
{
    char text[32];
    const locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(0));
    const locale_t previous =
        cLocale != static_cast<locale_t>(0) ? uselocale(cLocale) : static_cast<locale_t>(0);
    std::snprintf(text, sizeof(text), "%.12g", static_cast<double>(value));
    if (cLocale != static_cast<locale_t>(0)) {
        uselocale(previous);
        freelocale(cLocale);
    }
    return text;
}

void appendString(std::string& bytes, const std::string& text)
{
    bytes += text;
    bytes += kSeparator;
}

} // namespace

std::string buildStateBytes(const PluginAdapter& adapter)
{
    const uint32_t count = adapter.parameterCount();
    if (count == 0)
        return std::string(1, '\0');

    std::string bytes;
    appendString(bytes, "__zef_parameters_begin__");
    for (uint32_t i = 0; i < count; ++i) {
        if (adapter.isParameterOutputOrTrigger(i))
            continue;
        appendString(bytes, adapter.parameterSymbol(i).buffer());
        const float value = adapter.parameterValue(i);
        appendString(bytes,
            (adapter.parameterHints(i) & HintInteger) ? integerText(value) : floatText(value));
    }
    appendString(bytes, "__zef_parameters_end__");
    bytes += kTerminator;
    // Built with 0xFF so that an empty text cannot be confused with the end of a string.
    for (char& byte : bytes) {
        if (byte == kSeparator)
            byte = '\0';
    }
    bytes += '\0';
    return bytes;
}

bool writeState(const PluginAdapter& adapter, const clap_ostream_t& stream)
{
    const std::string bytes = buildStateBytes(adapter);
    size_t written = 0;
    while (written < bytes.size()) {
        const int64_t wrtn = stream.write(&stream, bytes.data() + written, bytes.size() - written);
        if (!ORVANE_CHECK_INT(wrtn > 0, wrtn))
            return false;
        // A host that claims more than it was offered cannot move us past the end.
        written += std::min<uint64_t>(static_cast<uint64_t>(wrtn), bytes.size() - written);
    }
    return true;
}

} // namespace Orvane
