# Compiler settings that every target of the project takes.
#  - all warnings on; they are errors when ORVANE_WERROR is on (make test and
#    CI turn it on; a plain CMake build, as users and packagers run it, does
#    not stop on a warning that another compiler version adds);
#  - no contraction of a*b+c into fused multiply-adds and no fast-math, so
#    that the extended-precision arithmetic gives the same bits everywhere;
#  - sources are UTF-8, string literals become Shift-JIS (code page 932).
option(ORVANE_WERROR "Treat compiler warnings as errors" OFF)

function(orvane_compile_options target)
  if(ORVANE_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  # GCC 12 at -O3 (the Release build) reports -Wrestrict on the standard
  # library's own copies when a string is built from a literal and another
  # string ("a" + s): a known false positive of that version, fixed in 13.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
     AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  target_compile_options(${target} PRIVATE
    -Wall -Wextra
    -ffp-contract=off -fno-fast-math
    -finput-charset=UTF-8 -fexec-charset=CP932)
endfunction()
