// vantorel-render: a command-line CLAP host that renders a plug-in, playing the transport from
// bar 1, into an audio file. Exit status 2 for invalid arguments (files named by them included), 1
// for failures of the plug-in or while writing.
#include "ClapLibrary.h"
#include "FileRender.h"
#include "GrooveCode.h"
#include "GrooveOptions.h"
#include "HostContext.h"
#include "PluginInstance.h"
#include "PluginSearch.h"
#include "ProgressBar.h"
#include "RenderOptions.h"
#include "TransportTimeline.h"
#include "support/SymbolOptions.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

constexpr int kInvalidArguments = 2;
constexpr int kFailure = 1;
// Renders of more audio than this show a progress bar.
constexpr double kLongRenderSeconds = 60.0;

int fail(int status, const std::string& message)
{
    std::fprintf(stderr, "vantorel-render: %s\n", message.c_str());
    return status;
}

// The plug-in named by --plugin, or the first one found; false with `error` listing the places
// looked at when there is none.
bool choosePlugin(const RenderOptions& options, std::string& path, std::string& error)
{
    if (!options.pluginPath.empty()) {
        path = options.pluginPath;
        return true;
    }
    const std::vector<std::string> candidates = pluginCandidates(currentSearchPlaces());
    path = findPlugin(candidates);
    if (!path.empty())
        return true;
    error = "cannot find vantorel.clap (looked for";
    for (const std::string& candidate : candidates)
        error += " " + candidate;
    error += "; name one with --plugin)";
    return false;
}

// The plug-in's value texts through its "clap.params" extension.
class ClapOptionTexts final : public Support::OptionTexts {
public:
    explicit ClapOptionTexts(const PluginInstance& instance) : fInstance(instance) { }

    std::string text(uint32_t id, double value) const override
    {
        char text[256] = {};
        const clap_plugin_params_t* const params = fInstance.params();
        if (params == nullptr ||
            !params->value_to_text(fInstance.plugin(), id, value, text, sizeof(text)))
            std::snprintf(text, sizeof(text), "%g", value);
        return text;
    }

    bool value(uint32_t id, const std::string& text, double& value) const override
    {
        const clap_plugin_params_t* const params = fInstance.params();
        return params != nullptr &&
            params->text_to_value(fInstance.plugin(), id, text.c_str(), &value);
    }

private:
    const PluginInstance& fInstance;
};

Support::SymbolOptions parameterOptions(
    const PluginInstance& instance, const ClapOptionTexts& texts)
{
    std::vector<Support::OptionParameter> parameters;
    for (const clap_param_info_t& info : instance.parameters())
        parameters.push_back(Support::OptionParameter{
            info.id, info.module, info.name, info.min_value, info.max_value, info.default_value});
    return Support::SymbolOptions(std::move(parameters), texts);
}

int applyParameters(const PluginInstance& instance, const RenderOptions& options)
{
    const ClapOptionTexts texts(instance);
    Support::GivenOptions given = options.parameters;
    std::vector<Support::OptionValue> values;
    std::string error;
    if (!Orvane::expandGrooveOptions(given, error) ||
        !parameterOptions(instance, texts).resolve(given, values, error))
        return fail(kInvalidArguments, error);
    for (const Support::OptionValue& value : values)
        instance.setParameter(value.id, value.value);
    return 0;
}

// The code of the groove the plug-in holds; empty when it lacks one of the groove's parameters.
std::string grooveCode(const PluginInstance& instance)
{
    Orvane::Groove groove;
    int found = 0;
    for (const clap_param_info_t& info : instance.parameters())
        found += Orvane::setGrooveValue(groove, info.module, instance.parameterValue(info.id));
    return found == Orvane::kGrooveValueCount ? Orvane::formatGrooveCode(groove) : std::string();
}

bool readFile(const std::string& path, std::string& bytes)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    bytes = content.str();
    return file.good() || file.eof();
}

bool writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file.good();
}

int loadAndSaveState(
    const PluginInstance& instance, const RenderOptions& options, bool beforeParameters)
{
    if (beforeParameters && !options.statePath.empty()) {
        std::string bytes;
        if (!readFile(options.statePath, bytes))
            return fail(kInvalidArguments, "--state-in: cannot read " + options.statePath);
        if (!instance.loadState(bytes))
            return fail(kInvalidArguments,
                "--state-in: the plug-in refused the state in " + options.statePath);
    }
    if (!beforeParameters && !options.stateOutPath.empty()) {
        std::string bytes;
        if (!instance.saveState(bytes))
            return fail(kFailure, "--state-out: the plug-in could not save its state");
        if (!writeFile(options.stateOutPath, bytes))
            return fail(kInvalidArguments, "--state-out: cannot write " + options.stateOutPath);
    }
    return 0;
}

int render(PluginInstance& instance, const RenderOptions& options)
{
    const TransportTimeline timeline(
        options.sampleRate, options.beatsPerMinute, options.beatsPerBar, options.beatType);
    const uint64_t frames = options.seconds > 0.0
        ? static_cast<uint64_t>(std::ceil(options.seconds * options.sampleRate))
        : timeline.framesInBars(options.bars);

    AudioFileWriter writer;
    std::string error;
    if (!writer.open(options.outputPath, options.sampleRate, options.format, error))
        return fail(kInvalidArguments, "-o: " + error);
    const uint32_t blockSize = activateForRender(instance, options.sampleRate, options.blockSize);
    if (blockSize == 0)
        return fail(kFailure, "the plug-in refused to activate");
    if (options.verbose) {
        std::printf("Blocks of %u frames\n", blockSize);
        if (const std::string code = grooveCode(instance); !code.empty())
            std::printf("Groove %s\n", code.c_str());
    }

    ProgressBar progress(
        frames, static_cast<double>(frames) / options.sampleRate > kLongRenderSeconds);
    const FileRenderResult result = renderToFile(instance, timeline, frames, blockSize, writer,
        [&](uint64_t position) { progress.update(position); });
    instance.deactivate();
    if (result == FileRenderResult::ProcessFailed)
        return fail(kFailure, "the plug-in failed to process a block");
    if (!writer.close() || result == FileRenderResult::WriteFailed)
        return fail(kFailure, "-o: cannot write " + options.outputPath);

    std::printf("%s: %llu frames, 2 channels, %u Hz, %s\n", options.outputPath.c_str(),
        static_cast<unsigned long long>(frames), options.sampleRate,
        audioFileFormatName(options.format));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    RenderOptions options;
    std::string error;
    if (!parseRenderOptions(argc, argv, options, error))
        return fail(kInvalidArguments, error + " (see --help)");

    std::string pluginPath;
    ClapLibrary library;
    HostContext host;
    PluginInstance instance;
    const bool loaded = choosePlugin(options, pluginPath, error) &&
        library.open(pluginPath, error) && instance.create(*library.factory(), *host.host(), error);
    if (loaded && options.verbose)
        std::printf("Plug-in %s\n", pluginPath.c_str());

    if (options.help) {
        std::fputs(kRenderUsage, stdout);
        if (loaded)
            std::printf("\nParameters of this plug-in:\n%s",
                parameterOptions(instance, ClapOptionTexts(instance)).helpLines().c_str());
        else
            std::printf("\n(No parameters listed: %s)\n", error.c_str());
        return 0;
    }
    if (!loaded)
        return fail(options.pluginPath.empty() ? kFailure : kInvalidArguments,
            (options.pluginPath.empty() ? "" : "--plugin: ") + error);

    if (const int status = loadAndSaveState(instance, options, true))
        return status;
    if (const int status = applyParameters(instance, options))
        return status;
    if (const int status = loadAndSaveState(instance, options, false))
        return status;
    return render(instance, options);
}
