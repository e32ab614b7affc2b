// lv2-describe OUTPUT_FOLDER DSP_BINARY UI_BINARY: writes manifest.ttl and vantorel.ttl for the
// LV2 bundle from the plug-in's own descriptions. Run by the build.
#include "BundleDescription.h"
#include "PendingValues.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

bool writeFile(const std::string& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (file)
        return true;
    std::fprintf(stderr, "lv2-describe: cannot write %s\n", path.c_str());
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: lv2-describe OUTPUT_FOLDER DSP_BINARY UI_BINARY\n");
        return 2;
    }
    Orvane::pendingSampleRate = 48000.0;
    Orvane::pendingBufferSize = 512;
    Orvane::pendingIsDescriptorOnly = true;
    const Orvane::PluginAdapter plugin(nullptr, nullptr, nullptr, nullptr);
    if (plugin.plugin() == nullptr)
        return 1;
    const std::string folder = argv[1];
    const bool written =
        writeFile(folder + "/manifest.ttl", Orvane::manifestTurtle({argv[2], argv[3]})) &&
        writeFile(folder + "/vantorel.ttl", Orvane::pluginTurtle(plugin));
    return written ? 0 : 1;
}
