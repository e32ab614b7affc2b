// Lists the fonts embedded by Fonts.S; constant data, safe from any thread.
#include "EmbeddedFonts.h"

#include <cstdint>

#define DECLARE_EMBEDDED(symbol)                                                                   \
    extern "C" __attribute__((visibility("hidden"))) const unsigned char symbol[];                 \
    extern "C" __attribute__((visibility("hidden"))) const uint64_t symbol##_size;
DECLARE_EMBEDDED(vantorel_font_dejavu_sans)
DECLARE_EMBEDDED(vantorel_font_vera_mono_bold_stbz)

namespace Orvane {

EmbeddedFile dejaVuSansFont() noexcept
{
    return {vantorel_font_dejavu_sans, static_cast<size_t>(vantorel_font_dejavu_sans_size)};
}

EmbeddedFile veraMonoBoldCompressedFont() noexcept
{
    return {vantorel_font_vera_mono_bold_stbz,
        static_cast<size_t>(vantorel_font_vera_mono_bold_stbz_size)};
}

} // namespace Orvane
