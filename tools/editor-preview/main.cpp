// Opens the groove panel in a free window with no host: edits are printed instead of sent.
// "--scale F" sets the scale factor, "--screenshot FILE.png" writes a frame to FILE.png and
// quits. Main thread only.
#include <stb_image_write.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

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

// The window's frame comes as a text PPM picture (P3); the PNG is written from it.
bool convertToPng(const std::string& ppm, const char* png)
{
    std::ifstream in(ppm);
    std::string magic;
    int width = 0, height = 0, maxValue = 0;
    if (!(in >> magic >> width >> height >> maxValue) || magic != "P3" || width <= 0 || height <= 0)
        return false;
    std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
    for (unsigned char& value : rgb) {
        int v = 0;
        if (!(in >> v))
            return false;
        value = static_cast<unsigned char>(v);
    }
    return stbi_write_png(png, width, height, 3, rgb.data(), width * 3) != 0;
}

bool takeScreenshot(Orvane::editorLink& link, const char* png)
{
    // A few frames first, so the window is mapped at its final size.
    for (int i = 0; i < 20; ++i)
        link.fApp.pumpEvents(16);
    const std::string ppm = std::string(png) + ".ppm";
    link.fWindow->captureNextFrame(ppm.c_str());
    for (int i = 0; i < 100 && access(ppm.c_str(), F_OK) != 0; ++i)
        link.fApp.pumpEvents(16);
    const bool converted = convertToPng(ppm, png);
    unlink(ppm.c_str());
    if (!converted)
        std::fprintf(stderr, "editor-preview: no frame written to %s\n", png);
    return converted;
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
    bool ok = true;
    if (screenshot != nullptr)
        ok = takeScreenshot(link, screenshot);
    else
        link.fApp.runLoop(16);
    delete ui;
    return ok ? 0 : 1;
}
