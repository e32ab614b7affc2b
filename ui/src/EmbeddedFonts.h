// The two fonts compiled into the editor (Fonts.S): constant data, safe from any thread.
#pragma once

#include <cstddef>

namespace Orvane {

struct EmbeddedFile {
    const unsigned char* data;
    size_t size;
};

// DejaVu Sans (Book), TrueType: the host widget's default font.
EmbeddedFile dejaVuSansFont() noexcept;
// Bitstream Vera Sans Mono Bold, TrueType in the stb compressed format: the panel's font.
EmbeddedFile veraMonoBoldCompressedFont() noexcept;

} // namespace Orvane
