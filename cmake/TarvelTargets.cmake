# Build rules shared by every Tarvel target.

option(TARVEL_WERROR "Treat compiler warnings as errors" OFF)

# Strict warnings for one of our own targets.
function(tarvel_strict target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion -Wshadow)
  # GCC 12 sees overlapping copies in std::string's operator+ where there are
  # none when it optimises (GCC 13 no longer does). Debug builds keep plain
  # flags: clang-tidy reads theirs.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13
     AND NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(TARVEL_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# tarvel_add_test(name [OWN_MAIN] [CONVERSIONS] SOURCES file... [LIBS target...])
# A GoogleTest executable, built with strict warnings and registered with CTest.
# OWN_MAIN: the sources bring main() (to set up a toolkit first).
# CONVERSIONS: its tests check computed numbers, so they carry the label
# `conversions` that the host-CPU build runs.
function(tarvel_add_test name)
  cmake_parse_arguments(ARG "OWN_MAIN;CONVERSIONS" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  tarvel_strict(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest)
  if(NOT ARG_OWN_MAIN)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  set(properties "")
  if(ARG_CONVERSIONS)
    set(properties PROPERTIES LABELS conversions)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST NO_PRETTY_VALUES ${properties})
endfunction()
