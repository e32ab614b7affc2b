// Raw float table and 32-bit float WAV writers, byte order fixed to little-endian.
#include "StrokeFiles.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

void appendLe32(std::string& bytes, uint32_t v)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<char>((v >> shift) & 0xFF));
}

void appendLe16(std::string& bytes, uint16_t v)
{
    bytes.push_back(static_cast<char>(v & 0xFF));
    bytes.push_back(static_cast<char>(v >> 8));
}

void appendFloats(std::string& bytes, const std::vector<float>& values)
{
    for (float value : values) {
        uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        appendLe32(bytes, bits);
    }
}

bool writeBytes(const std::string& path, const std::string& bytes)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "cannot create %s\n", path.c_str());
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed)
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return written && closed;
}

} // namespace

bool writeFloatTable(const std::string& path, const std::vector<float>& values)
{
    std::string bytes;
    appendFloats(bytes, values);
    return writeBytes(path, bytes);
}

bool writeWav(const std::string& path, const std::vector<float>& values, unsigned sampleRate)
{
    constexpr uint16_t kFormatFloat = 3;
    const uint32_t dataBytes = static_cast<uint32_t>(values.size() * 4);
    // Float data needs the 18-byte format chunk and a fact chunk with the frame count.
    std::string bytes = "RIFF";
    appendLe32(bytes, 50 + dataBytes);
    bytes += "WAVEfmt ";
    appendLe32(bytes, 18);
    appendLe16(bytes, kFormatFloat);
    appendLe16(bytes, 1); // mono
    appendLe32(bytes, sampleRate);
    appendLe32(bytes, sampleRate * 4);
    appendLe16(bytes, 4); // block align
    appendLe16(bytes, 32); // bits per sample
    appendLe16(bytes, 0); // no extension
    bytes += "fact";
    appendLe32(bytes, 4);
    appendLe32(bytes, static_cast<uint32_t>(values.size()));
    bytes += "data";
    appendLe32(bytes, dataBytes);
    appendFloats(bytes, values);
    return writeBytes(path, bytes);
}
