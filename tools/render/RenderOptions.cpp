// Parses and checks the render tool's command line. Main thread.
#include "RenderOptions.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

const char* const kRenderUsage =
    "Usage: vantorel-render [options] -o FILE\n"
    "Renders a CLAP plug-in, playing the transport from bar 1, into a two-channel audio file.\n"
    "\n"
    "  -o, --output FILE         the file to write (required)\n"
    "  --format FORMAT           f32: 32-bit float WAV (default), s16: 16-bit WAV,\n"
    "                            flac: 24-bit FLAC, ogg: Ogg Vorbis\n"
    "  --plugin PATH             the .clap to load (default: vantorel.clap from the installed\n"
    "                            layout beside this tool, its build folder, CLAP_PATH, ~/.clap,\n"
    "                            /usr/lib/clap, then this tool's own folder)\n"
    "  --bpm N                   tempo in beats per minute, 1 to 999 (default 120)\n"
    "  --time-signature N/D      time signature (default 4/4)\n"
    "  --rate N                  sample rate in Hz, 8000 to 384000 (default 48000)\n"
    "  --block N                 frames per processing block, 1 to 8192 (default: the largest\n"
    "                            the plug-in accepts, up to 4096; the groove is the same)\n"
    "  --bars N                  length in bars (default 8)\n"
    "  --seconds S               length in seconds, instead of bars\n"
    "  --state-in FILE           load this saved plug-in state before rendering\n"
    "  --state-out FILE          save the plug-in state (after parameters are applied)\n"
    "  --groove CODE             set the eight values of a groove code, such as\n"
    "                            \"D17:7:x1.5 B3:12:/2:-1\", before the single options\n"
    "  --SYMBOL VALUE            set a parameter by its symbol, '_' written as '-'\n"
    "                            (value as the plug-in shows it, e.g. --baya-tempo \"÷1.5\")\n"
    "  -v, --verbose             say which plug-in file was loaded, the block size and the\n"
    "                            groove code of what is rendered\n"
    "  -h, --help                show this help and the plug-in's parameters\n";

namespace {

bool parseNumber(const char* text, double& value)
{
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text, &end);
    return end != text && *end == '\0' && errno == 0 && std::isfinite(value);
}

bool parseWhole(const char* text, uint64_t minimum, uint64_t maximum, uint64_t& value)
{
    if (*text < '0' || *text > '9')
        return false;
    char* end = nullptr;
    errno = 0;
    const unsigned long long parsed = std::strtoull(text, &end, 10);
    if (*end != '\0' || errno != 0 || parsed < minimum || parsed > maximum)
        return false;
    value = parsed;
    return true;
}

bool parseTimeSignature(const char* text, uint16_t& beatsPerBar, uint16_t& beatType)
{
    const char* const slash = std::strchr(text, '/');
    if (slash == nullptr)
        return false;
    const std::string numerator(text, slash);
    uint64_t number = 0;
    uint64_t type = 0;
    if (!parseWhole(numerator.c_str(), 1, 64, number) || !parseWhole(slash + 1, 1, 64, type))
        return false;
    if ((type & (type - 1)) != 0)
        return false; // a note value: a power of two
    beatsPerBar = static_cast<uint16_t>(number);
    beatType = static_cast<uint16_t>(type);
    return true;
}

bool parseFormat(const char* text, AudioFileFormat& format)
{
    const std::pair<const char*, AudioFileFormat> names[] = {
        {"f32", AudioFileFormat::WavFloat},
        {"s16", AudioFileFormat::WavInt16},
        {"flac", AudioFileFormat::Flac},
        {"ogg", AudioFileFormat::OggVorbis},
    };
    for (const auto& [name, value] : names) {
        if (std::strcmp(text, name) == 0) {
            format = value;
            return true;
        }
    }
    return false;
}

} // namespace

bool parseRenderOptions(
    int argc, const char* const* argv, RenderOptions& options, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "-h" || option == "--help") {
            options.help = true;
            continue;
        }
        if (option == "-v" || option == "--verbose") {
            options.verbose = true;
            continue;
        }
        if (option.rfind("-", 0) != 0 || option == "-" || option == "--") {
            error = "unexpected argument '" + option + "'";
            return false;
        }
        if (i + 1 >= argc) {
            error = option + ": missing value";
            return false;
        }
        const char* const value = argv[++i];
        const auto invalid = [&](const char* expected) {
            error = option + ": expected " + expected + ", got '" + value + "'";
            return false;
        };
        uint64_t whole = 0;
        if (option == "-o" || option == "--output") {
            options.outputPath = value;
        } else if (option == "--format") {
            if (!parseFormat(value, options.format))
                return invalid("f32, s16, flac or ogg");
        } else if (option == "--plugin") {
            options.pluginPath = value;
        } else if (option == "--bpm") {
            if (!parseNumber(value, options.beatsPerMinute) || options.beatsPerMinute < 1.0 ||
                options.beatsPerMinute > 999.0)
                return invalid("a tempo from 1 to 999");
        } else if (option == "--time-signature") {
            if (!parseTimeSignature(value, options.beatsPerBar, options.beatType))
                return invalid("N/D with N from 1 to 64 and D a power of two up to 64");
        } else if (option == "--rate") {
            if (!parseWhole(value, 8000, 384000, whole))
                return invalid("a whole sample rate from 8000 to 384000");
            options.sampleRate = static_cast<uint32_t>(whole);
        } else if (option == "--block") {
            if (!parseWhole(value, 1, 8192, whole))
                return invalid("a whole block size from 1 to 8192");
            options.blockSize = static_cast<uint32_t>(whole);
        } else if (option == "--bars") {
            if (!parseWhole(value, 1, 100000, whole))
                return invalid("a whole number of bars from 1 to 100000");
            options.bars = static_cast<uint32_t>(whole);
            options.seconds = 0.0;
        } else if (option == "--seconds") {
            if (!parseNumber(value, options.seconds) || options.seconds <= 0.0 ||
                options.seconds > 86400.0)
                return invalid("a duration above 0 and up to 86400 seconds");
        } else if (option == "--state-in") {
            options.statePath = value;
        } else if (option == "--state-out") {
            options.stateOutPath = value;
        } else if (option.rfind("--", 0) == 0) {
            options.parameters.emplace_back(option, value);
        } else {
            error = "unknown option '" + option + "'";
            return false;
        }
    }
    if (!options.help && options.outputPath.empty()) {
        error = "-o: missing the output file";
        return false;
    }
    return true;
}
