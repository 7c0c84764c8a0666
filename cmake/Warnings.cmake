# Compiler settings that every target of the project takes.
#  - warnings are errors;
#  - no contraction of a*b+c into fused multiply-adds and no fast-math, so
#    that the extended-precision arithmetic gives the same bits everywhere;
#  - sources are UTF-8, string literals become Shift-JIS (code page 932).
function(orvane_compile_options target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Werror
    -ffp-contract=off -fno-fast-math
    -finput-charset=UTF-8 -fexec-charset=CP932)
endfunction()
