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

# The dialog's front-end tests again at the scales of common displays (the
# prefix's screen scale set for the run): at each, every control stands at
# its place grown by the scale and no text of the help memo or the notice
# pane is cut.
foreach(dpi 120 144 192)
  add_test(NAME win32.win32_dialog_test.dpi${dpi}
    COMMAND ${CMAKE_COMMAND} -E env ORVANE_WINE_DPI=${dpi}
            bash ${ORVANE_WINE_SCRIPTS}/run-console.sh ${ORVANE_WIN32_BUILD_DIR}
            ${ORVANE_WIN32_BUILD_DIR}/tests/win32_dialog_test.exe)
  set_tests_properties(win32.win32_dialog_test.dpi${dpi} PROPERTIES
    FIXTURES_REQUIRED orvane_wine RESOURCE_LOCK orvane_wine TIMEOUT 300)
endforeach()

# The layout's arithmetic at those scales needs no Windows: it is checked in
# the native build too.
find_package(GTest REQUIRED)
add_executable(dialog_layout_scale_test
  ${CMAKE_SOURCE_DIR}/frontends/win32/tests/dialog_layout_scale_test.cpp
  ${CMAKE_SOURCE_DIR}/frontends/win32/DialogLayout.cpp
  ${CMAKE_SOURCE_DIR}/frontends/win32/HelpMemoRows.cpp
  ${CMAKE_SOURCE_DIR}/frontends/win32/PhraseRows.cpp)
target_include_directories(dialog_layout_scale_test PRIVATE ${CMAKE_SOURCE_DIR}/frontends/win32)
target_link_libraries(dialog_layout_scale_test PRIVATE orvane_core GTest::gtest GTest::gtest_main)
orvane_compile_options(dialog_layout_scale_test)
add_test(NAME dialog_layout_scale_test COMMAND dialog_layout_scale_test)

# The program and its package, seen from the outside.
add_test(NAME win32.program
  COMMAND bash ${ORVANE_WINE_SCRIPTS}/check-program.sh ${ORVANE_WIN32_BUILD_DIR})

# The program itself, driven with the keyboard in a virtual display.
foreach(case ok_worked_example escape close_box alt_f4_on_list inside_refusal
             missing_settings typed_values unheld_characters failed_start launcher
             new_chain_launcher unknown_word unwritable_answer unwritable_after_refusal_escape
             unwritable_after_refusal_alt_f4 unwritable_after_unsaved_settings
             unwritable_after_missing_settings_escape unwritable_after_missing_settings_alt_f4
             scaled_96 scaled_120 scaled_144 scaled_192 pick_chain_launcher
             scaled_96_pick_refusal scaled_144_pick_refusal
             scaled_96_pick_refusal_h scaled_144_pick_refusal_h)
  orvane_wine_test(win32.dialog.${case} ${ORVANE_WINE_SCRIPTS}/run-dialog.sh
    ${ORVANE_WIN32_BUILD_DIR} ${case})
endforeach()

# Sessions of a user clicking out a chain, run by the host double with the
# package's launchers under Wine.
foreach(session clicked_chain refusal both_directions quick_chain quick_both_directions one_click_picks
                quick_one_click_picks)
  orvane_wine_test(win32.host_session.${session} ${ORVANE_WINE_SCRIPTS}/host-session.sh
    ${ORVANE_WIN32_BUILD_DIR} ${CMAKE_BINARY_DIR} ${session})
endforeach()
