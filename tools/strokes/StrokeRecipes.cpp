// Recipes of the twelve strokes: how loud and how long each partial of each drum rings.
#include "StrokeRecipes.h"

#include <array>
#include <cstddef>
#include <initializer_list>

namespace {

// Dayan tuned to C#4. Its loaded head makes the low modes harmonic; the lowest mode sits a
// little sharp, which the ear forgives because partials 2 to 5 carry the pitch.
constexpr double kDayanPitchHz = 277.18;
// Baya: larger and lower; harmonic up to the 4th partial, inharmonic above.
constexpr double kBayaPitchHz = 98.0;

// Loudness and ring of one partial of a drum.
struct Partial {
    double amplitude;
    double decaySeconds;
};

struct MembraneMode {
    int partial; // which partial it belongs to
    double ratio; // frequency / drum pitch
    double share; // part of the partial's amplitude
    double split; // doublet spacing; 0 for the axisymmetric modes, which do not split
    double damping; // axisymmetric modes radiate better and die sooner
};

// The nine lowest modes of the loaded Dayan head, grouped by the harmonic they land on.
constexpr std::array<MembraneMode, 9> kDayanModes = {{
    {0, 1.06, 1.00, 0.0, 1.0}, // (0,1)
    {1, 2.000, 1.00, 0.0020, 1.0}, // (1,1)
    {2, 2.996, 0.60, 0.0016, 1.0}, // (2,1)
    {2, 3.004, 0.40, 0.0, 0.8}, // (0,2)
    {3, 3.994, 0.55, 0.0024, 1.0}, // (3,1)
    {3, 4.005, 0.45, 0.0013, 1.0}, // (1,2)
    {4, 4.990, 0.40, 0.0028, 1.0}, // (4,1)
    {4, 5.000, 0.35, 0.0011, 1.0}, // (2,2)
    {4, 5.011, 0.25, 0.0, 0.8}, // (0,3)
}};

constexpr std::array<MembraneMode, 6> kBayaModes = {{
    {0, 1.00, 1.0, 0.0, 1.0},
    {1, 2.00, 1.0, 0.0015, 1.0},
    {2, 3.01, 1.0, 0.0021, 1.0},
    {3, 4.01, 1.0, 0.0026, 1.0},
    {4, 4.69, 1.0, 0.0012, 1.0},
    {5, 5.63, 1.0, 0.0030, 1.0},
}};

template <std::size_t ModeCount, std::size_t PartialCount>
std::vector<ModeSpec> drumModes(double pitchHz, const std::array<MembraneMode, ModeCount>& layout,
    const std::array<Partial, PartialCount>& partials)
{
    std::vector<ModeSpec> modes;
    for (const MembraneMode& mode : layout) {
        const Partial& partial = partials[mode.partial];
        modes.push_back({pitchHz * mode.ratio, partial.amplitude * mode.share,
            partial.decaySeconds * mode.damping, mode.split});
    }
    return modes;
}

std::vector<ModeSpec> dayanModes(const std::array<Partial, 5>& partials)
{
    return drumModes(kDayanPitchHz, kDayanModes, partials);
}

std::vector<ModeSpec> bayaModes(const std::array<Partial, 6>& partials)
{
    return drumModes(kBayaPitchHz, kBayaModes, partials);
}

// Modes beyond the drum's harmonic ones: the faint hum a closed stroke leaves under the
// hand, or the quickly dying inharmonic upper modes that make a rim stroke bright.
std::vector<ModeSpec> withModes(std::vector<ModeSpec> modes, std::initializer_list<ModeSpec> more)
{
    modes.insert(modes.end(), more);
    return modes;
}

} // namespace

std::vector<StrokeRecipe> strokeRecipes()
{
    const double dayanTone = kDayanPitchHz * 2.0;
    std::vector<StrokeRecipe> recipes;
    // Na: the rim is struck while the ring finger mutes the centre, so the lowest mode is gone.
    recipes.push_back({"dayan1", 24552, 1.0f,
        withModes(
            dayanModes({{{0.03, 0.05}, {1.0, 0.13}, {0.8, 0.11}, {0.6, 0.09}, {0.45, 0.075}}}),
            {{kDayanPitchHz * 6.27, 0.12, 0.030, 0.0031},
                {kDayanPitchHz * 7.36, 0.08, 0.024, 0.0017},
                {kDayanPitchHz * 8.61, 0.05, 0.018, 0.0025}}),
        {{0.8, 0.0015, 2000.0, 12000.0, 0x9E3779B9u}}, {}, 0.0003, 0.010});
    // Te: closed middle-finger stroke, a dead thump with contact noise.
    recipes.push_back({"dayan2", 6000, 0.5868f,
        dayanModes({{{0.6, 0.018}, {0.35, 0.016}, {0.15, 0.014}, {0.05, 0.012}, {0.03, 0.010}}}),
        {{0.7, 0.012, 400.0, 4000.0, 0x85EBCA6Bu}}, {}, 0.0004, 0.008});
    // Tun: open centre stroke; the lowest mode rings on its own.
    recipes.push_back({"dayan3", 96000, 0.3001f,
        dayanModes({{{1.0, 0.33}, {0.12, 0.12}, {0.04, 0.08}, {0.02, 0.06}, {0.01, 0.05}}}),
        {{0.15, 0.004, 200.0, 3000.0, 0xC2B2AE35u}}, {}, 0.0006, 0.020});
    // Tin: mellow open ring led by the second partial.
    recipes.push_back({"dayan4", 24000, 0.2497f,
        dayanModes({{{0.25, 0.08}, {1.0, 0.12}, {0.35, 0.09}, {0.12, 0.07}, {0.05, 0.06}}}),
        {{0.25, 0.002, 1000.0, 8000.0, 0x27D4EB2Fu}}, {}, 0.0004, 0.010});
    // Tit: flat fingers stay on the head and choke every partial.
    recipes.push_back({"dayan5", 24000, 0.4416f,
        withModes(
            dayanModes({{{0.7, 0.015}, {0.5, 0.014}, {0.3, 0.012}, {0.15, 0.010}, {0.08, 0.009}}}),
            {{dayanTone, 0.006, 0.12, 0.0020}}),
        {{0.8, 0.008, 600.0, 6000.0, 0x165667B1u}}, {}, 0.0003, 0.010});
    // Ka: flat palm slap on the bass head.
    recipes.push_back({"baya1", 19305, 0.5412f,
        withModes(bayaModes({{{1.0, 0.020}, {0.5, 0.016}, {0.3, 0.014}, {0.2, 0.012}, {0.1, 0.010},
                      {0.1, 0.010}}}),
            {{kBayaPitchHz, 0.006, 0.12, 0.0}}),
        {{0.8, 0.010, 150.0, 1500.0, 0xD3A2646Cu}, {0.5, 0.001, 2000.0, 10000.0, 0xFD7046C5u}}, {},
        0.0005, 0.010});
    // Ke: a lighter closed stroke.
    recipes.push_back({"baya2", 24212, 0.2930f,
        withModes(bayaModes({{{0.8, 0.018}, {0.35, 0.015}, {0.2, 0.012}, {0.1, 0.010},
                      {0.05, 0.009}, {0.05, 0.009}}}),
            {{kBayaPitchHz, 0.004, 0.12, 0.0}}),
        {{0.5, 0.009, 200.0, 1200.0, 0xB55A4F09u}, {0.2, 0.001, 2000.0, 8000.0, 0x68E31DA4u}}, {},
        0.0006, 0.010});
    const std::array<Partial, 6> openBass = {
        {{1.0, 0.20}, {0.35, 0.12}, {0.18, 0.09}, {0.10, 0.07}, {0.05, 0.05}, {0.04, 0.04}}};
    const NoiseSpec bassThump = {0.25, 0.006, 80.0, 900.0, 0x1B873593u};
    // Ghe: the heel of the palm slides in after the hit and pulls the pitch up.
    recipes.push_back({"baya3", 49233, 0.1737f, bayaModes(openBass), {bassThump},
        {0.0, 7.0, 0.02, 0.50}, 0.0008, 0.020});
    // Ghe released: the pressed head falls back to its resting pitch.
    recipes.push_back({"baya4", 48134, 0.1806f, bayaModes(openBass), {bassThump},
        {7.0, 0.0, 0.03, 0.45}, 0.0008, 0.020});
    // Soft Ge: a quiet open bass, few overtones.
    recipes.push_back({"baya5", 46200, 0.1038f,
        bayaModes(
            {{{1.0, 0.17}, {0.2, 0.10}, {0.08, 0.08}, {0.04, 0.06}, {0.02, 0.05}, {0.01, 0.04}}}),
        {{0.12, 0.005, 80.0, 700.0, 0xCC9E2D51u}}, {}, 0.0010, 0.020});
    // Ge: firm open bass; the hard hit stretches the head, so the pitch starts a little high.
    recipes.push_back({"baya6", 48000, 0.4669f,
        bayaModes(
            {{{1.0, 0.18}, {0.4, 0.12}, {0.22, 0.09}, {0.12, 0.07}, {0.07, 0.05}, {0.05, 0.04}}}),
        {{0.3, 0.005, 80.0, 1500.0, 0xE6546B64u}}, {0.5, 0.0, 0.0, 0.15}, 0.0006, 0.020});
    // Ghe, fast glide: the palm presses quickly.
    recipes.push_back({"baya7", 48000, 0.2892f, bayaModes(openBass), {bassThump},
        {0.0, 4.5, 0.01, 0.24}, 0.0008, 0.020});
    return recipes;
}
