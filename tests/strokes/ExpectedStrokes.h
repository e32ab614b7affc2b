// What the twelve stroke tables must be: names in table order, lengths and peak levels.
#pragma once
#include <array>
#include <cstdint>
#include <string>

struct ExpectedStroke {
    const char* name;
    uint32_t length;
    float peak;
};

constexpr std::array<ExpectedStroke, 12> kExpectedStrokes = {{
    {"dayan1", 24552, 1.0000f},
    {"dayan2", 6000, 0.5868f},
    {"dayan3", 96000, 0.3001f},
    {"dayan4", 24000, 0.2497f},
    {"dayan5", 24000, 0.4416f},
    {"baya1", 19305, 0.5412f},
    {"baya2", 24212, 0.2930f},
    {"baya3", 49233, 0.1737f},
    {"baya4", 48134, 0.1806f},
    {"baya5", 46200, 0.1038f},
    {"baya6", 48000, 0.4669f},
    {"baya7", 48000, 0.2892f},
}};

inline std::string strokeFile(const std::string& folder, const char* name)
{
    return folder + "/" + name + ".f32";
}
