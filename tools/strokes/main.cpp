// Stroke renderer: writes the twelve stroke tables (raw little-endian floats) into an asset
// folder and, optionally, WAV copies into a preview folder. Deterministic: same bytes every run.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "StrokeFiles.h"
#include "StrokeFinisher.h"
#include "StrokeRecipes.h"
#include "StrokeSynth.h"

namespace {

bool makeFolder(const std::string& path)
{
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (error)
        std::fprintf(
            stderr, "cannot create folder %s: %s\n", path.c_str(), error.message().c_str());
    return !error;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s <asset folder> [<preview folder>]\n", argv[0]);
        return 2;
    }
    const std::string assetFolder = argv[1];
    const std::string previewFolder = argc == 3 ? argv[2] : "";
    if (!makeFolder(assetFolder) || (!previewFolder.empty() && !makeFolder(previewFolder)))
        return 1;

    for (const StrokeRecipe& recipe : strokeRecipes()) {
        const std::vector<float> values = finishStroke(StrokeSynth(recipe).render(), recipe);
        const std::string name = recipe.name;
        if (!writeFloatTable(assetFolder + "/" + name + ".f32", values))
            return 1;
        if (!previewFolder.empty() &&
            !writeWav(previewFolder + "/" + name + ".wav", values,
                static_cast<unsigned>(kStrokeSampleRate)))
            return 1;
    }
    return 0;
}
