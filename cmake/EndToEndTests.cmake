# fuelEconomyEndToEndTests(PROGRAM EMULATOR LINE_END) defines the target
# fuel-economy-e2e-tests: the tests that run PROGRAM as a user would, behind
# EMULATOR (a command, words separated by blanks; empty to run it directly),
# and expect it to end its lines with LINE_END, lf or crlf. They start
# processes the POSIX way, so they are built for the machine that runs them.

include(CheckIncludeFiles)
include(CheckSymbolExists)
include(CMakePushCheckState)

set(fuelEconomySourceDir ${CMAKE_CURRENT_LIST_DIR}/..)

function(fuelEconomyEndToEndTests program emulator lineEnd)
  if(CMAKE_HOST_WIN32)
    message(STATUS "The end-to-end tests need a POSIX system to run on: left out")
    return()
  endif()
  set(testSources ${fuelEconomySourceDir}/src)
  add_executable(fuel-economy-e2e-tests ${testSources}/end_to_end_test.cc ${testSources}/process.cc)
  target_compile_definitions(fuel-economy-e2e-tests PRIVATE
    FUEL_ECONOMY_DEFAULT_BINARY="${program}"
    FUEL_ECONOMY_DEFAULT_EMULATOR="${emulator}"
    FUEL_ECONOMY_DEFAULT_LINE_END="${lineEnd}")
  target_link_libraries(fuel-economy-e2e-tests PRIVATE GTest::gtest_main)

  # forkpty is declared in <pty.h> on Linux, <util.h> on macOS, NetBSD and
  # OpenBSD, and <libutil.h> on FreeBSD; it is in libc or in libutil.
  foreach(header pty.h util.h libutil.h)
    string(MAKE_C_IDENTIFIER "FUEL_ECONOMY_HAVE_${header}" have)
    string(TOUPPER ${have} have)
    check_include_files("sys/types.h;${header}" ${have} LANGUAGE CXX)
    if(${have})
      foreach(library c util)
        cmake_push_check_state(RESET)
        if(library STREQUAL util)
          set(CMAKE_REQUIRED_LIBRARIES util)
        endif()
        check_symbol_exists(forkpty "sys/types.h;${header}" FUEL_ECONOMY_FORKPTY_IN_LIB${library})
        cmake_pop_check_state()
        if(FUEL_ECONOMY_FORKPTY_IN_LIB${library})
          target_sources(fuel-economy-e2e-tests PRIVATE ${testSources}/terminal_test.cc)
          target_compile_definitions(fuel-economy-e2e-tests PRIVATE ${have})
          if(library STREQUAL util)
            target_link_libraries(fuel-economy-e2e-tests PRIVATE util)
          endif()
          return()
        endif()
      endforeach()
    endif()
  endforeach()
  message(STATUS "No forkpty on this system: the terminal tests are left out")
endfunction()
