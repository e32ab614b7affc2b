// Fonts compiled into the editor: constant data, safe from any thread. [any-thread]
#pragma once

#include <cstddef>

namespace Orvane {

struct EmbeddedFile {
    const unsigned char* data;
    size_t size;
};

// DejaVu Sans (Book), TrueType: the host widget's default font (HostFont.S).
EmbeddedFile dejaVuSansFont() noexcept;

} // namespace Orvane
