# Whole runs on large host files, with time and peak memory: `make large`
# runs the full sizes and holds their times to the limit, ctest a
# scaled-down version that checks the memory and prints the times.
if(NOT CMAKE_CROSSCOMPILING AND TARGET orvane_headless)
  add_executable(large_inputs ${CMAKE_SOURCE_DIR}/bench/large_inputs.cpp
                              ${CMAKE_SOURCE_DIR}/bench/HostDrawnPlan.cpp)
  target_link_libraries(large_inputs PRIVATE orvane_headless orvane_core)
  orvane_compile_options(large_inputs)
  add_test(NAME large_inputs_scaled_down
           COMMAND large_inputs --entities=8,32 --line-mb=8 --hp=100000 --pick-mb=4 --no-time-limit)
endif()
