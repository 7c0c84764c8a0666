# How the test programs' own sources are compiled. The code under test, the
# core's libraries and the front ends, is compiled as the tree says (-O3 in
# the Release tree, -O2 in the Windows build, -O1 with the sanitizers); the
# tests' own sources are compiled without optimisation and share one
# precompiled header of GoogleTest and the standard library. Those sources
# are most of the compile time (each test's assertions expand to a great deal
# of code), and optimising them checks nothing more: what a test asserts is
# computed by the code under test. Numbers come out the same at any level:
# the arithmetic is SSE doubles and x87 long doubles kept in their own width,
# with no contraction into fused multiply-adds.
#
# The first test program of a group builds the header; the others of the
# group reuse it, so every test program of a group must take the same compile
# options and definitions (GCC refuses a header made with others, and
# -Winvalid-pch with -Werror makes that an error rather than a silent full
# parse). Test programs that link a library with definitions of its own (the
# Windows front end's) form a group of their own: orvane_test_program(target
# GROUP name).
function(orvane_test_program target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "GROUP" "")
  if(NOT arg_GROUP)
    set(arg_GROUP core)
  endif()
  target_compile_options(${target} PRIVATE -O0)
  get_property(owner GLOBAL PROPERTY ORVANE_TEST_PCH_OWNER_${arg_GROUP})
  if(owner)
    target_precompile_headers(${target} REUSE_FROM ${owner})
  else()
    target_precompile_headers(${target} PRIVATE
      <gtest/gtest.h>
      <algorithm> <array> <cmath> <cstdint> <cstdio> <filesystem> <functional>
      <map> <memory> <optional> <set> <sstream> <stdexcept> <string>
      <string_view> <utility> <vector>)
    set_property(GLOBAL PROPERTY ORVANE_TEST_PCH_OWNER_${arg_GROUP} ${target})
  endif()
endfunction()

# Test helpers that are not test programs (their definitions differ, so they
# cannot share the header): only unoptimised.
function(orvane_test_helper target)
  target_compile_options(${target} PRIVATE -O0)
endfunction()
