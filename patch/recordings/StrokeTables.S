/* The stroke tables, included byte for byte from the asset folder (CMake passes that folder
   to the assembler as an include path). Read-only data; the object asks for no executable stack. */
#include "StrokeTableList.h"

    .macro stroke_table name, frames
    .section .rodata
    .balign 16
    .globl vantorel_stroke_\name
    .hidden vantorel_stroke_\name
    .type vantorel_stroke_\name, %object
vantorel_stroke_\name:
    .incbin "\name\().f32"
.Lend_\name:
    .size vantorel_stroke_\name, .Lend_\name - vantorel_stroke_\name
    /* A table file of another size would make the lengths in the C++ list a lie. */
    .if (.Lend_\name - vantorel_stroke_\name) - 4 * \frames
    .error "stroke table file \name\().f32 does not hold \frames floats"
    .endif
    .endm

#define EMBED_STROKE_TABLE(name, frames) stroke_table name, frames;
VANTOREL_STROKE_TABLES(EMBED_STROKE_TABLE)

    .section .note.GNU-stack, "", %progbits
