// The saved state's writer and reader, shared by the bindings. Main thread.
#include "SavedState.h"

#include "CNumericLocale.h"
#include "SoftAssert.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace Orvane {

namespace {

constexpr char kSeparator = '\xFF';
constexpr uint8_t kTerminator = 0xFE;
// Far beyond any symbol or number text: a longer key or value is not a saved state, and an
// endless one must not take all memory.
constexpr size_t kMaxStringBytes = 4096;

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

// "%.12g" with a decimal point whatever the process locale.
std::string floatText(float value)
{
    char text[32];
    const CNumericLocale cLocale;
    std::snprintf(text, sizeof(text), "%.12g", static_cast<double>(value));
    return text;
}

void appendString(std::string& bytes, const std::string& text)
{
    bytes += text;
    bytes += kSeparator;
}

} // namespace

// A rule of the format, reported as a soft assertion when the caller wants the report.
#define STATE_RULE(cond, value) (fReportFaults ? ORVANE_CHECK_INT(cond, value) : (cond))

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
    bytes += static_cast<char>(kTerminator);
    // Built with 0xFF so that an empty text cannot be confused with the end of a string.
    for (char& byte : bytes) {
        if (byte == kSeparator)
            byte = '\0';
    }
    bytes += '\0';
    return bytes;
}

StateParser::Progress StateParser::feed(const uint8_t* bytes, size_t count)
{
    size_t position = 0;
    while (position < count) {
        if (bytes[position] == kTerminator)
            return Progress::Finished;
        const uint8_t* const start = bytes + position;
        const void* const nul = std::memchr(start, 0, count - position);
        const size_t length =
            nul != nullptr ? static_cast<const uint8_t*>(nul) - start : count - position;
        std::string& text = fFillingKey ? fKey : fValue;
        if (text.size() + length > kMaxStringBytes) {
            if (fReportFaults)
                printWarning("Saved state refused: a key or value is longer than %zu bytes",
                    kMaxStringBytes);
            return Progress::Failed;
        }
        text.append(reinterpret_cast<const char*>(start), length);
        fHasValue = fHasValue || !fFillingKey;
        position += length;
        if (nul == nullptr)
            break; // the string goes on in the next piece
        if (!handleString())
            return Progress::Failed;
        ++position; // the NUL
    }
    return Progress::More;
}

bool StateParser::handleString()
{
    if (fKey == "__zef_state_begin__" || fKey == "__zef_state_end__" ||
        fKey == "__zef_parameters_begin__" || fKey == "__zef_parameters_end__")
        return handleReservedKey();

    fFillingKey = !fFillingKey;
    if (!fHasValue)
        return true;

    if (fKey == "__zef_program__") {
        const char queryingType = fQueryingType;
        if (!STATE_RULE(queryingType == 'i', queryingType))
            return false;
        fQueryingType = None;
    } else if (fQueryingType == Parameters) {
        applyPair();
    }
    clearPair();
    return true;
}

bool StateParser::handleReservedKey()
{
    const char queryingType = fQueryingType;
    if (fKey == "__zef_state_begin__") {
        if (!STATE_RULE(queryingType == 'i' || queryingType == 'n', queryingType))
            return false;
        fQueryingType = States;
    } else if (fKey == "__zef_state_end__") {
        if (!STATE_RULE(queryingType == 's', queryingType))
            return false;
        fQueryingType = None;
    } else if (fKey == "__zef_parameters_begin__") {
        if (!STATE_RULE(queryingType == 'i' || queryingType == 'n', queryingType))
            return false;
        fQueryingType = Parameters;
    } else {
        if (!STATE_RULE(queryingType == 'p', queryingType))
            return false;
        fQueryingType = After;
    }
    clearPair();
    return true;
}

void StateParser::applyPair()
{
    const uint32_t count = fAdapter.parameterCount();
    for (uint32_t i = 0; i < count; ++i) {
        if (fAdapter.isParameterOutputOrTrigger(i) || fAdapter.parameterSymbol(i) != fKey.c_str())
            continue;
        // Numbers are read with a decimal point, as they are written.
        const CNumericLocale cLocale;
        const double value = (fAdapter.parameterHints(i) & HintInteger)
            ? static_cast<double>(std::strtol(fValue.c_str(), nullptr, 10))
            : std::strtod(fValue.c_str(), nullptr);
        fApply(fContext, i, value);
        return;
    }
}

void StateParser::clearPair() noexcept
{
    fKey.clear();
    fValue.clear();
    fHasValue = false;
}

} // namespace Orvane
