// Writes two channels into an audio file through libsndfile: WAV (32-bit float or 16-bit), FLAC
// (24-bit) or Ogg Vorbis. Frames are gathered into large writes. Main thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct sf_private_tag;

enum class AudioFileFormat {
    WavFloat,
    WavInt16,
    Flac,
    OggVorbis,
};

class AudioFileWriter {
public:
    AudioFileWriter() = default;
    ~AudioFileWriter();

    AudioFileWriter(const AudioFileWriter&) = delete;
    AudioFileWriter& operator=(const AudioFileWriter&) = delete;

    bool open(
        const std::string& path, uint32_t sampleRate, AudioFileFormat format, std::string& error);
    // Interleaves and appends `count` frames; integer samples are clipped, not wrapped. False once
    // a write failed.
    bool write(const float* left, const float* right, uint32_t count);
    // Writes what is gathered and finishes the header; false when the file could not be completed.
    bool close();

private:
    sf_private_tag* fFile = nullptr;
    std::vector<float> fInterleaved;
    size_t fGathered = 0; // frames waiting in fInterleaved
    bool fFailed = false;

    bool flush();
};

// The format's name as the command line and the summary show it.
const char* audioFileFormatName(AudioFileFormat format);
