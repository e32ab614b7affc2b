// The panel's font embedded by PanelFont.S; constant data, safe from any thread.
#include "PanelFont.h"

#include <cstdint>

extern "C" __attribute__((visibility("hidden")))
const unsigned char vantorel_font_vera_mono_bold_stbz[];
extern "C" __attribute__((visibility("hidden")))
const uint64_t vantorel_font_vera_mono_bold_stbz_size;

namespace Orvane {

EmbeddedFile veraMonoBoldCompressedFont() noexcept
{
    return {vantorel_font_vera_mono_bold_stbz,
        static_cast<size_t>(vantorel_font_vera_mono_bold_stbz_size)};
}

} // namespace Orvane
