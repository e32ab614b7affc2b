/* The editor's two fonts, included byte for byte: DejaVu Sans from the system's font folder and
   the compressed Bitstream Vera Sans Mono Bold that the build makes (tools/font-compress). */
#include "EmbedBlob.inc"

    embed_blob vantorel_font_dejavu_sans, "DejaVuSans.ttf", 16
    embed_blob vantorel_font_vera_mono_bold_stbz, "VeraMoBd.stbz", 16
