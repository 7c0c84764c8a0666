# The tests check the program's own full-width tables against the system's
# Unicode normaliser (ICU) and code page converter, never against a copy of
# the tables. Only the test programs link it; the program itself does not.
if(NOT CMAKE_CROSSCOMPILING)
  find_package(ICU REQUIRED COMPONENTS uc)
  list(APPEND ORVANE_TEST_LIBS ICU::uc)
endif()
