# The preview: a library that draws host drawing states as SVG pictures, and
# the command-line program orvane-preview built on it.
file(GLOB ORVANE_PREVIEW_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/preview/*.cpp)
add_library(orvane_preview STATIC ${ORVANE_PREVIEW_SOURCES})
target_include_directories(orvane_preview PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(orvane_preview PUBLIC orvane_core)
orvane_compile_options(orvane_preview)
if(CMAKE_CROSSCOMPILING)
  # Nothing of the Windows build uses it: built there only on request.
  set_target_properties(orvane_preview PROPERTIES EXCLUDE_FROM_ALL ON)
else()
  orvane_header_check(orvane_preview_headers ${CMAKE_SOURCE_DIR} preview LINK orvane_core)
endif()

if(NOT CMAKE_CROSSCOMPILING)
  list(APPEND ORVANE_TEST_LIBS orvane_preview)

  file(GLOB ORVANE_PREVIEW_TOOL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/preview/*.cpp)
  add_executable(orvane-preview ${ORVANE_PREVIEW_TOOL_SOURCES})
  target_link_libraries(orvane-preview PRIVATE orvane_preview orvane_text_codec)
  orvane_compile_options(orvane-preview)
endif()
