# The rules every target of the tree shares: one set of warnings, and include roots that expose a
# library's own headers and nothing else.

# The warnings of the tree, linked by every target (link_libraries in the top-level list file);
# with VANTOREL_WERROR they fail the build.
add_library(vantorel_warnings INTERFACE)
add_library(vantorel::warnings ALIAS vantorel_warnings)
target_compile_options(vantorel_warnings INTERFACE
  $<$<COMPILE_LANGUAGE:C,CXX>:-Wall -Wextra -Wshadow -Wpedantic>
  $<$<AND:$<BOOL:${VANTOREL_WERROR}>,$<COMPILE_LANGUAGE:C,CXX>>:-Werror>)

# Tests and benchmarks fill pipes and pools on purpose and check refusals where they test them;
# elsewhere they may drop the result of an operation marked [[nodiscard]].
add_library(vantorel_test_warnings INTERFACE)
add_library(vantorel::test_warnings ALIAS vantorel_test_warnings)
target_compile_options(vantorel_test_warnings INTERFACE -Wno-unused-result)

# vantorel_export_folder(<target>): the current folder's headers are included with its name
# ("runtime/Message.h"). The include root <target> exports is a folder of the build tree that
# holds only a link to the current folder, so that no other subsystem is reachable through it.
function(vantorel_export_folder target)
  get_filename_component(name ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(root ${PROJECT_BINARY_DIR}/include-roots/${name})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${name} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${root})
endfunction()
