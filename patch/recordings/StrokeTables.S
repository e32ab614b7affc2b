/* The stroke tables, included byte for byte from the asset folder (CMake passes that folder
   to the assembler as an include path). */
#include "EmbedBlob.inc"
#include "StrokeTableList.h"

    .macro stroke_table name, frames
    embed_blob vantorel_stroke_\name, "\name\().f32", 16
    /* A table file of another size would make the lengths in the C++ list a lie. */
    .if (.Lend_vantorel_stroke_\name - vantorel_stroke_\name) - 4 * \frames
    .error "stroke table file \name\().f32 does not hold \frames floats"
    .endif
    .endm

#define EMBED_STROKE_TABLE(name, frames) stroke_table name, frames;
VANTOREL_STROKE_TABLES(EMBED_STROKE_TABLE)
