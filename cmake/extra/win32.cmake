# The Windows program. It is cross-built in its own build tree with the
# mingw-w64 toolchain (make win32, make dist); the native build registers the
# tests that run it under Wine, so that `make test` runs them.
if(CMAKE_CROSSCOMPILING)
  if(WIN32)
    add_subdirectory(${CMAKE_SOURCE_DIR}/frontends/win32 ${CMAKE_BINARY_DIR}/frontends/win32)
    add_subdirectory(${CMAKE_SOURCE_DIR}/bench/win32 ${CMAKE_BINARY_DIR}/bench/win32)
  endif()
else()
  include(${CMAKE_SOURCE_DIR}/frontends/win32/tests/WineTests.cmake)
endif()
