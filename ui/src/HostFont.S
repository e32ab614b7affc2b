/* The host widget's default font, included byte for byte: DejaVu Sans from the system's font
   folder. */
#include "EmbedBlob.inc"

    embed_blob vantorel_font_dejavu_sans, "DejaVuSans.ttf", 16
