// Pure size and scale-factor rules; any thread.
#include "SizeRules.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>

namespace Skein {

unsigned roundToUnsigned(double value) noexcept
{
    if (!(value > 0.0))
        return 0;
    if (value >= 4294967295.0)
        return 4294967295u;
    return static_cast<unsigned>(value + 0.5);
}

Size<unsigned> constrainEmbeddedSize(
    unsigned width, unsigned height, const SizeConstraints& c) noexcept
{
    unsigned minWidth = c.minimumWidth, minHeight = c.minimumHeight;
    if (c.autoScaling && c.scaleFactor != 1.0) {
        minWidth = static_cast<unsigned>(minWidth * c.scaleFactor);
        minHeight = static_cast<unsigned>(minHeight * c.scaleFactor);
    }
    if (width < minWidth)
        width = minWidth;
    if (height < minHeight)
        height = minHeight;

    if (c.keepAspectRatio && c.minimumWidth != 0 && c.minimumHeight != 0 && width != 0 &&
        height != 0) {
        const double ratio = static_cast<double>(c.minimumWidth) / c.minimumHeight;
        const double reqRatio = static_cast<double>(width) / height;
        if (std::fabs(ratio - reqRatio) >= DBL_EPSILON) {
            if (ratio < reqRatio)
                width = roundToUnsigned(ratio * height);
            else
                height = roundToUnsigned(width / ratio);
        }
    }
    return {width, height};
}

double scaleFactorFromDpiText(const char* text) noexcept
{
    if (text == nullptr)
        return 1.0;
    char* end = nullptr;
    const double dpi = std::strtod(text, &end);
    if (end == text || !std::isfinite(dpi) || dpi <= 0.0)
        return 1.0;
    return dpi / 96.0;
}

double scaleFactorFromEnvironmentText(const char* text) noexcept
{
    const double value = text != nullptr ? std::atof(text) : 0.0;
    if (!std::isfinite(value) || value < 1.0)
        return 1.0;
    return value;
}

double chooseScaleFactor(double given, const char* environmentText, double displayFactor) noexcept
{
    if (given != 0.0)
        return given;
    if (environmentText != nullptr)
        return scaleFactorFromEnvironmentText(environmentText);
    if (displayFactor > 0.0)
        return displayFactor;
    return 1.0;
}

} // namespace Skein
