/* The embedded stroke tables in table order, with their lengths in frames. Shared by the
   assembler file that embeds the data and the C++ file that lists it, so both agree. */
#pragma once

#define VANTOREL_STROKE_TABLES(X)                                                                  \
    X(dayan1, 24552)                                                                               \
    X(dayan2, 6000)                                                                                \
    X(dayan3, 96000)                                                                               \
    X(dayan4, 24000)                                                                               \
    X(dayan5, 24000)                                                                               \
    X(baya1, 19305)                                                                                \
    X(baya2, 24212)                                                                                \
    X(baya3, 49233)                                                                                \
    X(baya4, 48134)                                                                                \
    X(baya5, 46200)                                                                                \
    X(baya6, 48000)                                                                                \
    X(baya7, 48000)
