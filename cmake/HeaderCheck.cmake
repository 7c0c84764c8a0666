# Every header compiles on its own: for each header a source that includes
# just it (twice, so that a missing include guard shows too) is compiled as
# part of the build. A header that leans on what its includer happened to
# include before it fails the build the day it breaks, not the day a new
# file first includes it alone.
#
#   orvane_header_check(TARGET ROOT FOLDER... [INCLUDES dir...] [LINK target...])
#
# ROOT is the folder the include paths are written from ("exchange/HostState.h"
# from the source root); INCLUDES are the include folders the headers are
# compiled with (ROOT when none is given); LINK targets lend their include
# folders and settings.
# The check is on in the ordinary builds; the sanitizer trees, which compile
# the same headers again, turn it off, and the cross build checks only the
# Windows front end's own headers (the portable ones are checked natively).
option(ORVANE_HEADER_CHECK "Compile every header on its own as part of the build" ON)

function(orvane_header_check target root)
  if(NOT ORVANE_HEADER_CHECK)
    return()
  endif()
  cmake_parse_arguments(HC "" "" "INCLUDES;LINK" ${ARGN})
  set(stubs "")
  foreach(folder ${HC_UNPARSED_ARGUMENTS})
    file(GLOB headers CONFIGURE_DEPENDS ${root}/${folder}/*.h)
    foreach(header ${headers})
      file(RELATIVE_PATH relative ${root} ${header})
      string(MAKE_C_IDENTIFIER ${relative} stem)
      set(stub ${CMAKE_CURRENT_BINARY_DIR}/header-check/${target}/${stem}.cpp)
      file(CONFIGURE OUTPUT ${stub}
        CONTENT "#include \"${relative}\"\n#include \"${relative}\"\n" @ONLY)
      list(APPEND stubs ${stub})
    endforeach()
  endforeach()
  if(NOT stubs)
    return()
  endif()
  add_library(${target} OBJECT ${stubs})
  if(NOT HC_INCLUDES)
    set(HC_INCLUDES ${root})
  endif()
  target_include_directories(${target} PRIVATE ${HC_INCLUDES})
  if(HC_LINK)
    target_link_libraries(${target} PRIVATE ${HC_LINK})
  endif()
  orvane_compile_options(${target})
endfunction()
