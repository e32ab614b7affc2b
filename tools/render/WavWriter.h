// Writes two channels into a WAV file, 32-bit float or 16-bit integer samples. Main thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct sf_private_tag;

class WavWriter {
public:
    WavWriter() = default;
    ~WavWriter();

    WavWriter(const WavWriter&) = delete;
    WavWriter& operator=(const WavWriter&) = delete;

    bool open(const std::string& path, uint32_t sampleRate, bool sixteenBit, std::string& error);
    // Interleaves and appends `count` frames; 16-bit samples are clipped, not wrapped.
    bool write(const float* left, const float* right, uint32_t count);
    // Finishes the header; false when the file could not be completed.
    bool close();

private:
    sf_private_tag* fFile = nullptr;
    std::vector<float> fInterleaved;
};
