# The preview: a library that draws host drawing states as SVG pictures, and
# the command-line program orvane-preview built on it.
file(GLOB ORVANE_PREVIEW_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/preview/*.cpp)
add_library(orvane_preview STATIC ${ORVANE_PREVIEW_SOURCES})
target_include_directories(orvane_preview PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(orvane_preview PUBLIC orvane_core)
orvane_compile_options(orvane_preview)
orvane_header_check(orvane_preview_headers ${CMAKE_SOURCE_DIR} preview LINK orvane_core)

if(NOT CMAKE_CROSSCOMPILING)
  list(APPEND ORVANE_TEST_LIBS orvane_preview)

  file(GLOB ORVANE_PREVIEW_TOOL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/preview/*.cpp)
  add_executable(orvane-preview ${ORVANE_PREVIEW_TOOL_SOURCES})
  target_link_libraries(orvane-preview PRIVATE orvane_preview orvane_text_codec)
  orvane_compile_options(orvane-preview)

  # Test helpers that read the pictures back as XML and hand them to a real
  # renderer; linked into the test programs only.
  find_package(LibXml2 REQUIRED)
  add_library(orvane_preview_testing STATIC ${CMAKE_SOURCE_DIR}/tests/preview_support/SvgDocument.cpp)
  target_include_directories(orvane_preview_testing PUBLIC ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(orvane_preview_testing PUBLIC LibXml2::LibXml2)
  orvane_compile_options(orvane_preview_testing)
  list(APPEND ORVANE_TEST_LIBS orvane_preview_testing)
endif()
