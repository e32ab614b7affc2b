// Pure rules for window sizes and scale factors, kept apart from the platform so they can be
// checked on their own. [any-thread]
#pragma once

#include "skein/Geometry.h"

namespace Skein {

struct SizeConstraints {
    unsigned minimumWidth = 0, minimumHeight = 0;
    bool keepAspectRatio = false;
    bool autoScaling = false;
    double scaleFactor = 1.0;
};

// Size an embedded window takes when asked for width x height: raised to the minimum (scaled
// when auto scaling), then fitted to the minimum's aspect ratio when that is kept.
Size<unsigned> constrainEmbeddedSize(
    unsigned width, unsigned height, const SizeConstraints& constraints) noexcept;

// "Xft.dpi" resource text to a scale factor: dpi / 96 when positive and finite, else 1.
double scaleFactorFromDpiText(const char* text) noexcept;

// "ZEF_SCALE_FACTOR" text to a scale factor, at least 1 (1 for text that is not a finite number).
double scaleFactorFromEnvironmentText(const char* text) noexcept;

// Scale factor a new window uses: the given one when not 0, else the environment's, else the
// display's.
double chooseScaleFactor(double given, const char* environmentText, double displayFactor) noexcept;

// add 0.5 and truncate, as used for every size rounding.
unsigned roundToUnsigned(double value) noexcept;

} // namespace Skein
