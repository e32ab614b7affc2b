// vantorel-render end to end: its WAV file against the groove patch rendered directly for the
// same clock ticks, its parameters, state files and file formats, where it looks for the plug-in,
// and its refusals of bad arguments.
#include "PluginSearch.h"
#include "patch/Krell_Vantorel.h"
#include "patch/PatchInterface.h"

#include <gtest/gtest.h>
#include <sndfile.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

constexpr double kRate = 48000.0;
constexpr uint32_t kBlock = 256;
// At 120 beats per minute a clock tick (1/24 beat) lasts 1000 frames and a step 24000.
constexpr uint32_t kFramesPerTick = 1000;
constexpr uint32_t kFramesPerStep = 24000;

struct Channels {
    std::vector<float> left;
    std::vector<float> right;
};

struct ToolRun {
    int status;
    std::string errors;
};

// Each test case runs in a process of its own, and CTest runs several at once.
std::string tempPath(const std::string& name)
{
    return ::testing::TempDir() + "vantorel-render-" + std::to_string(getpid()) + "-" + name;
}

std::string fileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

ToolRun runTool(const std::string& arguments)
{
    const std::string errors = tempPath("errors.txt");
    const std::string command = std::string(RENDER_TOOL_PATH) + " --plugin " + VANTOREL_CLAP_PATH +
        " " + arguments + " > /dev/null 2> " + errors;
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, fileBytes(errors)};
}

Channels readWav(const std::string& path, SF_INFO& info)
{
    Channels channels;
    info = SF_INFO{};
    SNDFILE* const file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr || info.channels != 2)
        return channels;
    std::vector<float> interleaved(static_cast<size_t>(info.frames) * 2);
    sf_readf_float(file, interleaved.data(), info.frames);
    sf_close(file);
    for (size_t i = 0; i < interleaved.size(); i += 2) {
        channels.left.push_back(interleaved[i]);
        channels.right.push_back(interleaved[i + 1]);
    }
    return channels;
}

// The groove patch driven directly, block by block like the plug-in drives it: default values,
// reset and start, then one clock tick every 1000 frames (only the first `tickCount` of them)
// and the tempo.
Channels renderPatch(uint32_t frames, uint32_t tickCount)
{
    Krell_Vantorel* const patch = createPatch(10, 6, 2, kRate);
    for (const PatchParameterInfo& parameter : kPatchParameters)
        patch->postFloat(parameter.hash, parameter.defaultValue);

    constexpr uint32_t kRealtime = kRealtimeReceiver;
    constexpr uint32_t kTempo = kTempoReceiver;
    Channels channels{std::vector<float>(frames), std::vector<float>(frames)};
    uint32_t tick = 0;
    for (uint32_t start = 0; start < frames; start += kBlock) {
        const uint32_t count = std::min(kBlock, frames - start);
        if (start == 0) {
            patch->postFormatted(kRealtime, 0.0, "ff", 255.0, 0.0);
            patch->postFormatted(kRealtime, 0.0, "ff", 250.0, 0.0);
        }
        for (; tick < tickCount && tick * kFramesPerTick < start + count; ++tick) {
            const double frame = tick * kFramesPerTick - start;
            patch->postFormatted(kRealtime, (frame + 0.5) * 1000.0 / kRate, "ff", 248.0, 0.0);
        }
        patch->postFormatted(kTempo, 0.0, "f", 120.0);
        float* outputs[2] = {channels.left.data() + start, channels.right.data() + start};
        patch->processBlock(nullptr, outputs, static_cast<int>(count));
    }
    destroyPatch(patch);
    return channels;
}

size_t firstDifference(const std::vector<float>& a, const std::vector<float>& b)
{
    size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    return i;
}

// The tool renders in large blocks by default; the patch here runs at 256-frame blocks.
TEST(RenderTool, DefaultGrooveIsThePatchClockedFromTheTransport)
{
    const std::string wav = tempPath("default.wav");
    const ToolRun run = runTool("--bars 2 --bpm 120 --rate 48000 -o " + wav);
    ASSERT_EQ(run.status, 0) << run.errors;

    SF_INFO info;
    const Channels rendered = readWav(wav, info);
    EXPECT_EQ(info.samplerate, 48000);
    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    ASSERT_EQ(rendered.left.size(), 192000u);

    // One step longer, so that a rest on the last step is followed by a stroke.
    const uint32_t frames = 192000 + kFramesPerStep;
    const Channels expected = renderPatch(frames, UINT32_MAX);
    EXPECT_TRUE(std::equal(rendered.left.begin(), rendered.left.end(), expected.left.begin()));
    EXPECT_TRUE(std::equal(rendered.right.begin(), rendered.right.end(), expected.right.begin()));

    // Strokes start on step boundaries only: cutting the clock before step k changes nothing
    // before frame 24000 k, and the first change comes right at the start of a later step (the
    // default pattern rests on every fourth step).
    for (uint32_t step = 0; step < 8; ++step) {
        const Channels cut = renderPatch(frames, step * 24);
        const size_t difference = firstDifference(expected.left, cut.left);
        ASSERT_GE(difference, step * kFramesPerStep) << step;
        ASSERT_LT(difference, frames) << step;
        EXPECT_EQ(difference % kFramesPerStep, 0u) << step << ": first change at " << difference;
    }
}

TEST(RenderTool, ParametersAndStateFiles)
{
    const std::string state = tempPath("state.bin");
    const std::string direct = tempPath("direct.wav");
    const std::string restored = tempPath("restored.wav");
    const ToolRun set =
        runTool("--dayan-pattern 17 --baya-tempo ÷1.5 --baya-length 7 --bars 1 --format s16 "
                "--state-out " +
            state + " -o " + direct);
    ASSERT_EQ(set.status, 0) << set.errors;
    const std::string bytes = fileBytes(state);
    EXPECT_NE(bytes.find("baya_length\0"
                         "7\0"s),
        std::string::npos);
    EXPECT_NE(bytes.find("baya_tempo\0"
                         "3\0"s),
        std::string::npos);
    EXPECT_NE(bytes.find("dayan_pattern\0"
                         "17\0"s),
        std::string::npos);

    const ToolRun load = runTool("--state-in " + state + " --bars 1 --format s16 -o " + restored);
    ASSERT_EQ(load.status, 0) << load.errors;
    SF_INFO info;
    const Channels a = readWav(direct, info);
    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    const Channels b = readWav(restored, info);
    ASSERT_FALSE(a.left.empty());
    EXPECT_EQ(a.left, b.left);
    // The parameters changed the groove.
    const std::string plain = tempPath("plain.wav");
    ASSERT_EQ(runTool("--bars 1 --format s16 -o " + plain).status, 0);
    EXPECT_NE(a.left, readWav(plain, info).left);
}

// A groove code sets all eight values; single options after it still set theirs, and -v prints
// the code of what is rendered.
TEST(RenderTool, GrooveCodeSetsTheGrooveBeforeTheSingleOptions)
{
    const std::string state = tempPath("groove-state.bin");
    const std::string said = tempPath("groove-said.txt");
    const std::string command = std::string(RENDER_TOOL_PATH) + " --plugin " + VANTOREL_CLAP_PATH +
        " --baya-length 5 --groove 'D17:7:x1.5 b3:12:÷2:-1.5' -v --bars 1 " + "--state-out " +
        state + " -o " + tempPath("groove.wav") + " > " + said;
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_NE(fileBytes(said).find("\nGroove D17:7:x1.5 B3:5:/2:-1.5\n"), std::string::npos)
        << fileBytes(said);
    const std::string bytes = fileBytes(state);
    for (const std::string& pair : {"dayan_pattern\0"
                                    "17\0"s,
             "baya_length\0"
             "5\0"s,
             "baya_tempo\0"
             "4\0"s}) {
        EXPECT_NE(bytes.find(pair), std::string::npos) << pair;
    }
}

TEST(RenderTool, FlacHoldsTheFloatGrooveAndOggIsReadable)
{
    const std::string wav = tempPath("formats.wav");
    const std::string flac = tempPath("formats.flac");
    const std::string ogg = tempPath("formats.ogg");
    for (const std::string& arguments :
        {"-o " + wav, "--format flac -o " + flac, "--format ogg --block 100 -o " + ogg}) {
        const ToolRun run = runTool("--dayan-tempo ×2 --bars 1 " + arguments);
        ASSERT_EQ(run.status, 0) << arguments << ": " << run.errors;
    }
    SF_INFO info;
    const Channels exact = readWav(wav, info);
    const Channels lossless = readWav(flac, info);
    EXPECT_EQ(info.format, SF_FORMAT_FLAC | SF_FORMAT_PCM_24);
    ASSERT_EQ(lossless.left.size(), exact.left.size());
    float worst = 0.0f;
    for (size_t i = 0; i < exact.left.size(); ++i) {
        worst = std::max({worst, std::abs(exact.left[i] - lossless.left[i]),
            std::abs(exact.right[i] - lossless.right[i])});
    }
    EXPECT_LE(worst, 1.0f / (1 << 22)); // 24-bit rounding, and clipping at full scale only
    EXPECT_EQ(readWav(ogg, info).left.size(), exact.left.size());
    EXPECT_EQ(info.format, SF_FORMAT_OGG | SF_FORMAT_VORBIS);
}

TEST(RenderTool, LooksForThePluginBesideItselfThenWhereHostsLook)
{
    const std::vector<std::string> candidates =
        pluginCandidates({"/opt/v/bin", "/a::/b/", "/home/m"});
    const std::vector<std::string> expected = {"/opt/v/bin/../lib/clap/vantorel.clap",
        "/a/vantorel.clap", "/b//vantorel.clap", "/home/m/.clap/vantorel.clap",
        "/usr/lib/clap/vantorel.clap", "/opt/v/bin/vantorel.clap"};
    ASSERT_EQ(candidates.size(), expected.size() + 1);
    EXPECT_EQ(candidates[0], expected[0]);
    // Second, the plug-in of the build folder the tool was built in.
    EXPECT_NE(candidates[1].find("hosts/clap/vantorel.clap"), std::string::npos);
    EXPECT_TRUE(std::equal(expected.begin() + 1, expected.end(), candidates.begin() + 2));
    char built[PATH_MAX];
    ASSERT_NE(realpath(VANTOREL_CLAP_PATH, built), nullptr);
    EXPECT_EQ(findPlugin({"/nonexistent/vantorel.clap", VANTOREL_CLAP_PATH}), built);
}

TEST(RenderTool, BadArgumentsGetOneLineAndStatusTwo)
{
    const std::string wav = tempPath("bad.wav");
    const std::pair<const char*, const char*> cases[] = {
        {"--bpm abc", "--bpm"},
        {"--bpm 0", "--bpm"},
        {"--rate 12", "--rate"},
        {"--block 0", "--block"},
        {"--bars -1", "--bars"},
        {"--seconds nan", "--seconds"},
        {"--time-signature 7/0", "--time-signature"},
        {"--format wav", "--format"},
        {"--format mp3", "--format"},
        {"--dayan-pattern 0", "--dayan-pattern"},
        {"--dayan-pattern seventeen", "--dayan-pattern"},
        {"--baya-tempo ÷3", "--baya-tempo"},
        {"--nonsense 3", "--nonsense"},
        {"--bpm", "--bpm"},
        {"--groove D1:4:x1", "--groove"},
        {"--groove 'D1:4:x1 B1:4:x3'",
            "--groove: bad groove code: unexpected \"3\" at character 15"},
    };
    for (const auto& [arguments, named] : cases) {
        const ToolRun run = runTool(std::string(arguments) + " -o " + wav);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_NE(run.errors.find(named), std::string::npos) << arguments << ": " << run.errors;
        EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << run.errors;
    }
    const ToolRun missingOutput = runTool("--bars 1");
    EXPECT_EQ(missingOutput.status, 2);
    EXPECT_NE(missingOutput.errors.find("-o"), std::string::npos);
    // Files named by arguments that cannot be used.
    const ToolRun missingState = runTool("--state-in /nonexistent/state -o " + wav);
    EXPECT_EQ(missingState.status, 2);
    EXPECT_NE(missingState.errors.find("--state-in"), std::string::npos);
    const ToolRun unwritable = runTool("-o /nonexistent/out.wav");
    EXPECT_EQ(unwritable.status, 2);
    EXPECT_NE(unwritable.errors.find("-o"), std::string::npos);
}

} // namespace
