// The panel's font compiled into the editor (PanelFont.S): constant data. [any-thread]
#pragma once

#include "ui/EmbeddedFonts.h"

namespace Orvane {

// Bitstream Vera Sans Mono Bold, TrueType in the stb compressed format.
EmbeddedFile veraMonoBoldCompressedFont() noexcept;

} // namespace Orvane
