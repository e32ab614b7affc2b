// Initial values of the groove graph's objects, set when the patch is constructed.
#include "GrooveGraph.h"

void ClockUnit::init() noexcept
{
    status.init(0, 1);
    clockRest.init(1, -1);
    startRest.init(1, -1);
    continueRest.init(1, -1);
    stopRest.init(1, -1);
    tickCounter.initFloat(0.0f);
    tickTruncation.init(false);
}

void DrumUnit::init() noexcept
{
    tickModulus.init(24.0f);
    stepCounter.initFloat(0.0f);
    stepTruncation.init(false);
    length.init(16.0f);
    lengthParameter.initFloat(0.0f);
    lengthValue.initFloat(0.0f);
    initialLength.initFloat(4.0f);
    lengthTruncation.init(false);
    patternParameter.initFloat(0.0f);
    seedValue.initFloat(0.0f);
    initialSeed.initFloat(0.0f);
    seedTruncation.init(false);
    lengthCommandRest.init(1, -1);
    seedCommandRest.init(1, -1);
    seedArgument.init(1, 1);
    // The initialisation bang reseeds it before any step can run.
    generator.init(0);
}
