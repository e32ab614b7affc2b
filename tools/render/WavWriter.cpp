// WAV output of the render tool, through libsndfile. Main thread.
#include "WavWriter.h"

#include <sndfile.h>

WavWriter::~WavWriter()
{
    close();
}

bool WavWriter::open(
    const std::string& path, uint32_t sampleRate, bool sixteenBit, std::string& error)
{
    SF_INFO info{};
    info.samplerate = static_cast<int>(sampleRate);
    info.channels = 2;
    info.format = SF_FORMAT_WAV | (sixteenBit ? SF_FORMAT_PCM_16 : SF_FORMAT_FLOAT);
    fFile = sf_open(path.c_str(), SFM_WRITE, &info);
    if (fFile == nullptr) {
        error = "cannot write " + path + ": " + sf_strerror(nullptr);
        return false;
    }
    if (sixteenBit)
        sf_command(fFile, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    return true;
}

bool WavWriter::write(const float* left, const float* right, uint32_t count)
{
    fInterleaved.resize(2 * static_cast<size_t>(count));
    for (uint32_t i = 0; i < count; ++i) {
        fInterleaved[2 * i] = left[i];
        fInterleaved[2 * i + 1] = right[i];
    }
    return sf_writef_float(fFile, fInterleaved.data(), count) == count;
}

bool WavWriter::close()
{
    if (fFile == nullptr)
        return true;
    const bool closed = sf_close(fFile) == 0;
    fFile = nullptr;
    return closed;
}
