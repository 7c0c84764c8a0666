# How the test programs' own sources are compiled. The code under test, the
# core's libraries and the front ends, is compiled as the tree says (-O3 in
# the Release tree, -O2 in the Windows build, -O1 with the sanitizers); the
# tests' own sources are compiled with the least optimisation (-Og) and
# share one precompiled header of GoogleTest and the standard library. Those
# sources are most of the compile time (each test's assertions expand to a
# great deal of code), and optimising them checks nothing more: what a test
# asserts is computed by the code under test. Numbers come out the same at
# any level: the arithmetic is SSE doubles and x87 long doubles kept in their
# own width, with no contraction into fused multiply-adds.
#
# -Og rather than -O0: it compiles a little faster still, and it inlines the
# small functions of GoogleTest and the standard library. Unoptimised, each
# of them stays in the object as sections of its own, several times as many,
# and GNU ld for Windows links a test program the slower for every one.
#
# Each group of test programs reuses one header, built by a small library of
# the group's own (so that building one test program does not build another):
# every test program of a group must take the same compile options and the
# definitions that the header's files look at (GCC refuses a header made
# with others, and -Winvalid-pch with -Werror makes that an error rather than
# a silent full parse). The first program of a group names them:
#
#   orvane_test_program(target [GROUP name] [DEFINITIONS def...] [LINK lib...])
#
# GROUP is "core" when not given; DEFINITIONS and LINK (libraries whose
# include folders and definitions the header is built with) are taken from
# the first call of a group.
# The optimisation of the tests' own code: of the test programs, the header
# they share and the test helpers that are not test programs (their
# definitions differ, so they cannot share the header).
function(orvane_test_helper target)
  target_compile_options(${target} PRIVATE -Og)
endfunction()

function(orvane_test_program target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "GROUP" "DEFINITIONS;LINK")
  if(NOT arg_GROUP)
    set(arg_GROUP core)
  endif()
  orvane_test_helper(${target})
  set(owner orvane_test_pch_${arg_GROUP})
  if(NOT TARGET ${owner})
    set(source ${CMAKE_BINARY_DIR}/${owner}.cpp)
    file(CONFIGURE OUTPUT ${source} CONTENT "// The precompiled header of the test programs.\n")
    add_library(${owner} OBJECT ${source})
    target_link_libraries(${owner} PRIVATE ${arg_LINK})
    target_compile_definitions(${owner} PRIVATE ${arg_DEFINITIONS})
    orvane_compile_options(${owner})
    orvane_test_helper(${owner})
    target_precompile_headers(${owner} PRIVATE
      <gtest/gtest.h>
      <algorithm> <array> <cmath> <cstdint> <cstdio> <filesystem> <functional>
      <map> <memory> <optional> <set> <sstream> <stdexcept> <string>
      <string_view> <utility> <vector>)
  endif()
  target_precompile_headers(${target} REUSE_FROM ${owner})
endfunction()
