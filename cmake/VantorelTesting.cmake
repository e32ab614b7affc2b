# Helpers for test and benchmark executables.
#
# vantorel_add_test_suite(<name> SOURCES ... [LIBS ...] [LABELS ...] [PROPERTIES ...])
#   One GoogleTest executable; every test case becomes a CTest test.
#   The label "asan" puts it in the AddressSanitizer/UBSan CI run,
#   "tsan" in the ThreadSanitizer run (targets check_asan / check_tsan build them).
find_package(GTest REQUIRED)
include(GoogleTest)

add_custom_target(check_asan)
add_custom_target(check_tsan)

function(vantorel_add_test_suite name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS;PROPERTIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main
    vantorel::test_warnings)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES LABELS "${ARG_LABELS}" ${ARG_PROPERTIES})
  foreach(label IN LISTS ARG_LABELS)
    if(TARGET check_${label})
      add_dependencies(check_${label} ${name})
    endif()
  endforeach()
endfunction()

# vantorel_add_benchmark(<name> SOURCES ... [LIBS ...]): built with the tree, run by hand.
find_package(benchmark REQUIRED)
function(vantorel_add_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark benchmark::benchmark_main
    vantorel::test_warnings)
endfunction()
