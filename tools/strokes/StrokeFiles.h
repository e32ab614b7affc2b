// Writes rendered strokes: raw little-endian float tables for the build, WAV copies for
// listening (offline renderer, single thread).
#pragma once
#include <string>
#include <vector>

// Both return false (and print why) when the file cannot be written.
bool writeFloatTable(const std::string& path, const std::vector<float>& values);
bool writeWav(const std::string& path, const std::vector<float>& values, unsigned sampleRate);
