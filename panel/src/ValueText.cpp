// Knob value texts both ways. Any thread.
#include "ValueText.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "VantorelParameters.h"

namespace Orvane {

namespace {

// The text without the spaces around it; false when nothing else is left or it does not fit.
bool trimmed(const char* text, char* out, size_t size) noexcept
{
    while (*text == ' ')
        ++text;
    size_t length = std::strlen(text);
    while (length > 0 && text[length - 1] == ' ')
        --length;
    if (length == 0 || length >= size)
        return false;
    std::memcpy(out, text, length);
    out[length] = '\0';
    return true;
}

} // namespace

void knobValueText(uint32_t index, float value, char* text, size_t size) noexcept
{
    if (index >= kVantorelParameterCount) {
        text[0] = '\0';
        return;
    }
    const VantorelParameter& parameter = kVantorelParameters[index];
    const int whole = static_cast<int>(value);
    if (parameter.isTempo && whole >= 0 && whole < kTempoRatioCount)
        std::snprintf(text, size, "%s", kTempoRatioLabels[whole]);
    else
        std::snprintf(text, size, "%d", whole);
}

bool readKnobValue(uint32_t index, const char* text, float& value) noexcept
{
    char word[64];
    if (index >= kVantorelParameterCount || text == nullptr || !trimmed(text, word, sizeof(word)))
        return false;
    const VantorelParameter& parameter = kVantorelParameters[index];
    double number = 0.0;
    if (parameter.isTempo) {
        for (int i = 0; i < kTempoRatioCount; ++i) {
            if (std::strcmp(word, kTempoRatioLabels[i]) == 0) {
                value = static_cast<float>(i);
                return true;
            }
        }
    }
    char* end = nullptr;
    errno = 0;
    number = std::strtod(word, &end);
    if (*end != '\0' || errno != 0 || !std::isfinite(number) || number != std::trunc(number))
        return false;
    value = static_cast<float>(std::clamp(
        number, static_cast<double>(parameter.minimum), static_cast<double>(parameter.maximum)));
    return true;
}

} // namespace Orvane
