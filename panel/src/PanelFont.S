/* The panel's font, included byte for byte: the compressed Bitstream Vera Sans Mono Bold that
   the build makes (tools/font-compress). */
#include "EmbedBlob.inc"

    embed_blob vantorel_font_vera_mono_bold_stbz, "VeraMoBd.stbz", 16
