// Audio file output of the render tool, through libsndfile. Main thread.
#include "AudioFileWriter.h"

#include <sndfile.h>

#include <algorithm>

namespace {

// 256 KiB of float frames per write: few system calls for the long renders, where writing is
// most of the time left.
constexpr size_t kGatherFrames = 32768;

int libsndfileFormat(AudioFileFormat format)
{
    switch (format) {
    case AudioFileFormat::WavFloat:
        return SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    case AudioFileFormat::WavInt16:
        return SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    case AudioFileFormat::Flac:
        return SF_FORMAT_FLAC | SF_FORMAT_PCM_24;
    case AudioFileFormat::OggVorbis:
        return SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    }
    return 0;
}

} // namespace

const char* audioFileFormatName(AudioFileFormat format)
{
    switch (format) {
    case AudioFileFormat::WavFloat:
        return "32-bit float WAV";
    case AudioFileFormat::WavInt16:
        return "16-bit WAV";
    case AudioFileFormat::Flac:
        return "24-bit FLAC";
    case AudioFileFormat::OggVorbis:
        return "Ogg Vorbis";
    }
    return "";
}

AudioFileWriter::~AudioFileWriter()
{
    close();
}

bool AudioFileWriter::open(
    const std::string& path, uint32_t sampleRate, AudioFileFormat format, std::string& error)
{
    SF_INFO info{};
    info.samplerate = static_cast<int>(sampleRate);
    info.channels = 2;
    info.format = libsndfileFormat(format);
    fFile = sf_open(path.c_str(), SFM_WRITE, &info);
    if (fFile == nullptr) {
        error = "cannot write " + path + ": " + sf_strerror(nullptr);
        return false;
    }
    if (format != AudioFileFormat::WavFloat)
        sf_command(fFile, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    // The optional PEAK chunk costs a pass over every sample; readers do not need it.
    sf_command(fFile, SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);
    fInterleaved.resize(2 * kGatherFrames);
    fGathered = 0;
    fFailed = false;
    return true;
}

bool AudioFileWriter::write(const float* left, const float* right, uint32_t count)
{
    while (count > 0 && !fFailed) {
        const size_t frames = std::min<size_t>(count, kGatherFrames - fGathered);
        float* out = fInterleaved.data() + 2 * fGathered;
        for (size_t i = 0; i < frames; ++i) {
            out[2 * i] = left[i];
            out[2 * i + 1] = right[i];
        }
        fGathered += frames;
        left += frames;
        right += frames;
        count -= static_cast<uint32_t>(frames);
        if (fGathered == kGatherFrames)
            flush();
    }
    return !fFailed;
}

bool AudioFileWriter::flush()
{
    const auto frames = static_cast<sf_count_t>(fGathered);
    fFailed = fFailed || sf_writef_float(fFile, fInterleaved.data(), frames) != frames;
    fGathered = 0;
    return !fFailed;
}

bool AudioFileWriter::close()
{
    if (fFile == nullptr)
        return true;
    const bool flushed = flush();
    const bool closed = sf_close(fFile) == 0;
    fFile = nullptr;
    return flushed && closed;
}
