// Opens the groove panel in a free window with no host: edits are printed instead of sent.
// "--scale F" sets the scale factor, "--screenshot FILE" writes the first frames to FILE (a text
// PPM picture) and quits. Main thread only.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "skein/Application.h"
#include "ui/EditorFactory.h"

namespace {

void printGesture(void*, uint32_t index, bool started)
{
    std::printf("parameter %u: edit %s\n", index, started ? "begins" : "ends");
}

void printValue(void*, uint32_t index, float value)
{
    std::printf("parameter %u = %g\n", index, value);
}

} // namespace

int main(int argc, char** argv)
{
    double scale = 1.0;
    const char* screenshot = nullptr;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--scale") == 0)
            scale = std::atof(argv[i + 1]);
        else if (std::strcmp(argv[i], "--screenshot") == 0)
            screenshot = argv[i + 1];
    }
    Orvane::editorLink link(true);
    link.fScaleFactor = scale;
    link.fSampleRate = 48000.0;
    link.fCallbacksPtr = &link; // a host is attached: the editor redraws on its timer
    link.fEditParamCallback = printGesture;
    link.fSetParamCallback = printValue;
    Orvane::UI* ui = Orvane::createUI(link);
    link.fWindow->setCaption("Vantorel editor preview");
    link.fWindow->makeVisible();
    if (screenshot != nullptr) {
        // A few frames first, so the window is mapped at its final size.
        for (int i = 0; i < 20; ++i)
            link.fApp.pumpEvents(16);
        link.fWindow->captureNextFrame(screenshot);
        for (int i = 0; i < 5; ++i)
            link.fApp.pumpEvents(16);
    } else {
        link.fApp.runLoop(16);
    }
    delete ui;
    return 0;
}
