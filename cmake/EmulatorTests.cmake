# How the tests run, natively or on a cross-built program: the unit tests and
# corpus replays run behind CMAKE_CROSSCOMPILING_EMULATOR, and the
# whole-program tests (test/) are built for this machine and start the
# program behind it.
#
# fuelEconomyDiscoverTests(TARGET) and fuelEconomyAddTest(NAME COMMAND...)
# add tests with the properties every test takes; fuelEconomyEndToEndTests()
# adds the whole-program tests.

set(fuelEconomyTestProperties)
set(fuelEconomyDiscoveryTimeout 5)

# Under Wine, one server kept alive for the whole run saves each test the
# seconds of starting one. The first run of Wine, which lists the tests,
# also makes its prefix.
if(CMAKE_CROSSCOMPILING_EMULATOR MATCHES "wine")
  set(fuelEconomyDiscoveryTimeout 120)
  find_program(FUEL_ECONOMY_WINESERVER wineserver REQUIRED)
  # The server and the services that wineboot starts stay in the
  # background; with their output on a test's pipe, CTest would wait for
  # them to end. The server needs its prefix folder, which wineboot then
  # fills, also when no earlier run of Wine made it.
  add_test(NAME Wine.start
           COMMAND sh -c "mkdir -p \"\${WINEPREFIX:-$HOME/.wine}\" &&
                          { \"$0\" -p && \"$@\" wineboot; } >/dev/null 2>&1"
                   ${FUEL_ECONOMY_WINESERVER} ${CMAKE_CROSSCOMPILING_EMULATOR})
  add_test(NAME Wine.stop COMMAND ${FUEL_ECONOMY_WINESERVER} -k)
  set_tests_properties(Wine.start PROPERTIES FIXTURES_SETUP wine)
  set_tests_properties(Wine.stop PROPERTIES FIXTURES_CLEANUP wine)
  set(fuelEconomyTestProperties FIXTURES_REQUIRED wine)
endif()

function(fuelEconomyDiscoverTests target)
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST NO_PRETTY_VALUES
                       DISCOVERY_TIMEOUT ${fuelEconomyDiscoveryTimeout}
                       PROPERTIES ${fuelEconomyTestProperties})
endfunction()

function(fuelEconomyAddTest name)
  add_test(NAME ${name} COMMAND ${ARGN})
  if(fuelEconomyTestProperties)
    set_tests_properties(${name} PROPERTIES ${fuelEconomyTestProperties})
  endif()
endfunction()

function(fuelEconomyEndToEndTests)
  if(NOT CMAKE_CROSSCOMPILING)
    set(FUEL_ECONOMY_PROGRAM "$<TARGET_FILE:fuel-economy>")
    set(FUEL_ECONOMY_EMULATOR "")
    set(FUEL_ECONOMY_LINE_END lf)
    add_subdirectory(${PROJECT_SOURCE_DIR}/test ${PROJECT_BINARY_DIR}/end-to-end)
    return()
  endif()

  list(JOIN CMAKE_CROSSCOMPILING_EMULATOR " " emulator)
  if(WIN32)
    set(lineEnd crlf)  # what text-mode output writes on Windows
  else()
    set(lineEnd lf)
  endif()
  include(ExternalProject)
  ExternalProject_Add(end-to-end-tests
    SOURCE_DIR ${PROJECT_SOURCE_DIR}/test
    BINARY_DIR ${PROJECT_BINARY_DIR}/end-to-end
    CMAKE_CACHE_ARGS
      -DFUEL_ECONOMY_PROGRAM:STRING=$<TARGET_FILE:fuel-economy>
      -DFUEL_ECONOMY_EMULATOR:STRING=${emulator}
      -DFUEL_ECONOMY_LINE_END:STRING=${lineEnd}
      -DCMAKE_COMPILE_WARNING_AS_ERROR:BOOL=${CMAKE_COMPILE_WARNING_AS_ERROR}
    BUILD_ALWAYS ON
    INSTALL_COMMAND "")
  add_dependencies(end-to-end-tests fuel-economy)
  add_executable(fuel-economy-e2e-tests IMPORTED)
  set_target_properties(fuel-economy-e2e-tests PROPERTIES
    IMPORTED_LOCATION ${PROJECT_BINARY_DIR}/end-to-end/fuel-economy-e2e-tests
    CROSSCOMPILING_EMULATOR "")
  fuelEconomyDiscoverTests(fuel-economy-e2e-tests)
endfunction()
