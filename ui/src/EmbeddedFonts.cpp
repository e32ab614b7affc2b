// The host widget's font embedded by HostFont.S; constant data, safe from any thread.
#include "ui/EmbeddedFonts.h"

#include <cstdint>

extern "C" __attribute__((visibility("hidden"))) const unsigned char vantorel_font_dejavu_sans[];
extern "C" __attribute__((visibility("hidden"))) const uint64_t vantorel_font_dejavu_sans_size;

namespace Orvane {

EmbeddedFile dejaVuSansFont() noexcept
{
    return {vantorel_font_dejavu_sans, static_cast<size_t>(vantorel_font_dejavu_sans_size)};
}

} // namespace Orvane
