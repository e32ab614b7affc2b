/* One way to put a file into a library byte for byte: the assembler macro embed_blob, included by
   the .S files that vantorel_embed_files() (EmbedFiles.cmake) adds. Read-only data, hidden from
   the module's exports, with a size word beside it; objects ask for no executable stack. */
#pragma once

    /* symbol: the data (aligned to align bytes); symbol_size: its length as a 64-bit word. */
    .macro embed_blob symbol, file, align
    .section .rodata
    .balign \align
    .globl \symbol
    .hidden \symbol
    .type \symbol, %object
\symbol:
    .incbin "\file"
.Lend_\symbol:
    .size \symbol, .Lend_\symbol - \symbol
    .balign 8
    .globl \symbol\()_size
    .hidden \symbol\()_size
    .type \symbol\()_size, %object
\symbol\()_size:
    .quad .Lend_\symbol - \symbol
    .size \symbol\()_size, 8
    .endm

    .section .note.GNU-stack, "", %progbits
