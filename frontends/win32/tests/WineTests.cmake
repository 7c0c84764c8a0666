# Tests that run the Windows build under Wine: the unit-test programs built
# for Windows, and the program itself driven with the keyboard in a virtual
# display. They use the cross build (`make win32`, which `make test` runs
# first). All share one Wine prefix, so they run one at a time.
set(ORVANE_WIN32_BUILD_DIR ${CMAKE_SOURCE_DIR}/build-win32 CACHE PATH
  "The cross build of the Windows program")
set(ORVANE_WINE_SCRIPTS ${CMAKE_SOURCE_DIR}/frontends/win32/tests/wine)

function(orvane_wine_test name)
  add_test(NAME ${name} COMMAND bash ${ARGN})
  set_tests_properties(${name} PROPERTIES
    FIXTURES_REQUIRED orvane_wine RESOURCE_LOCK orvane_wine TIMEOUT 300)
endfunction()

add_test(NAME win32.prefix
  COMMAND bash ${ORVANE_WINE_SCRIPTS}/prepare-prefix.sh ${ORVANE_WIN32_BUILD_DIR})
set_tests_properties(win32.prefix PROPERTIES
  FIXTURES_SETUP orvane_wine RESOURCE_LOCK orvane_wine TIMEOUT 600)

# The unit tests, built for Windows.
include(${CMAKE_SOURCE_DIR}/frontends/win32/tests/PortableTests.cmake)
file(GLOB ORVANE_ALL_UNIT_TESTS CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/tests/*_test.cpp ${CMAKE_SOURCE_DIR}/frontends/win32/tests/*_test.cpp)
orvane_windows_sources(ORVANE_WINE_UNIT_TESTS ${ORVANE_ALL_UNIT_TESTS})
foreach(src ${ORVANE_WINE_UNIT_TESTS})
  get_filename_component(name ${src} NAME_WE)
  orvane_wine_test(win32.${name} ${ORVANE_WINE_SCRIPTS}/run-console.sh
    ${ORVANE_WIN32_BUILD_DIR} ${ORVANE_WIN32_BUILD_DIR}/tests/${name}.exe)
endforeach()

# The program and its package, seen from the outside.
add_test(NAME win32.program
  COMMAND bash ${ORVANE_WINE_SCRIPTS}/check-program.sh ${ORVANE_WIN32_BUILD_DIR})

# The program itself, driven with the keyboard in a virtual display.
foreach(case ok_worked_example escape close_box alt_f4_on_list inside_refusal
             missing_settings typed_values unheld_characters failed_start launcher
             new_chain_launcher pick_chain_launcher)
  orvane_wine_test(win32.dialog.${case} ${ORVANE_WINE_SCRIPTS}/run-dialog.sh
    ${ORVANE_WIN32_BUILD_DIR} ${case})
endforeach()
