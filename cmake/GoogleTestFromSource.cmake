# FUEL_ECONOMY_GTEST_FROM_SOURCE: GoogleTest built from Debian's sources
# (/usr/src/googletest) with this build's compiler and standard library, as
# a cross build or another standard library needs it. Defines
# GTest::gtest_main.

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
# Its headers count as system headers for the tests, where CMake can.
if(CMAKE_VERSION VERSION_GREATER_EQUAL 3.25)
  set(system SYSTEM)
endif()
add_subdirectory(/usr/src/googletest googletest EXCLUDE_FROM_ALL ${system})

# Its own speed does not matter, and unoptimised it builds in half the time
# (aarch64-linux-gnu-g++: 20 s at -O3, 9 s at -O0).
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_compile_options(gtest PRIVATE -O0)
  target_compile_options(gtest_main PRIVATE -O0)
endif()

if(WASI)
  # WASI has no dup2 to capture a standard stream with, and clang 14
  # compiles no exceptions for WebAssembly, which GoogleTest's own flags
  # ask for.
  target_compile_definitions(gtest PUBLIC GTEST_HAS_STREAM_REDIRECTION=0)
  target_compile_options(gtest PRIVATE -fno-exceptions)
endif()

if(NOT TARGET GTest::gtest_main)
  add_library(GTest::gtest_main ALIAS gtest_main)
endif()
