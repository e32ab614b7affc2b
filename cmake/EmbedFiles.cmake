# vantorel_embed_files(<target> ASM <file.S> SEARCH_DIRS <dir>... DEPENDS <file>...)
#   Adds an assembler file that embeds files with the embed_blob macro (embed/EmbedBlob.inc).
#   .incbin finds the files in SEARCH_DIRS; a changed file in DEPENDS re-assembles.
function(vantorel_embed_files target)
  cmake_parse_arguments(ARG "" "ASM" "SEARCH_DIRS;DEPENDS" ${ARGN})
  target_sources(${target} PRIVATE ${ARG_ASM})
  foreach(dir IN LISTS ARG_SEARCH_DIRS)
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:ASM>:-Wa,-I${dir}>)
  endforeach()
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/embed)
  set_source_files_properties(${ARG_ASM} PROPERTIES OBJECT_DEPENDS "${ARG_DEPENDS}")
endfunction()
