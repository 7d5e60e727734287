# Cross-builds for the platform FUEL_ECONOMY_PLATFORM, a row of
# cmake/platforms.cmake (the presets set it), with Debian's cross compilers,
# and runs its programs here under the row's emulator: Linux under qemu-user
# (qemu-user-static), Windows under Wine, WebAssembly (WASI) under Node.

include(${CMAKE_CURRENT_LIST_DIR}/platforms.cmake)
# try_compile projects read this file again and need the choice too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES FUEL_ECONOMY_PLATFORM)
fuelEconomyPlatform("${FUEL_ECONOMY_PLATFORM}" platform)
if(NOT platform_found)
  message(FATAL_ERROR "FUEL_ECONOMY_PLATFORM is '${FUEL_ECONOMY_PLATFORM}'; "
                      "cmake/platforms.cmake lists these: ${fuelEconomyPlatforms}")
endif()

set(CMAKE_SYSTEM_PROCESSOR ${platform_processor})
set(CMAKE_FIND_ROOT_PATH /usr/${platform_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

if(platform_system STREQUAL "linux")
  set(CMAKE_SYSTEM_NAME Linux)
  set(CMAKE_C_COMPILER ${platform_triple}-gcc)
  set(CMAKE_CXX_COMPILER ${platform_triple}-g++)
  # What the .deb calls its architecture: dpkg would answer for this machine.
  set(FUEL_ECONOMY_DEBIAN_ARCHITECTURE ${platform_name})
  # -L gives qemu the target's loader and libraries for a dynamically
  # linked program.
  find_program(FUEL_ECONOMY_QEMU NAMES qemu-${platform_emulator}-static
                                       qemu-${platform_emulator} REQUIRED)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${FUEL_ECONOMY_QEMU} -L /usr/${platform_triple})
elseif(platform_system STREQUAL "wasi")
  # CMake before 3.31 has no platform file for WASI: cmake/Platform has one.
  set(CMAKE_SYSTEM_NAME WASI)
  list(APPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
  find_program(CMAKE_C_COMPILER NAMES clang-14 clang REQUIRED)
  find_program(CMAKE_CXX_COMPILER NAMES clang++-14 clang++ REQUIRED)
  set(CMAKE_C_COMPILER_TARGET ${platform_triple})
  set(CMAKE_CXX_COMPILER_TARGET ${platform_triple})
  # Debian keeps the WebAssembly C and C++ headers and libraries apart from
  # the host's, which a plain --sysroot=/usr would find instead. Its libc++
  # is built without exceptions, as clang 14 builds WebAssembly.
  set(CMAKE_C_FLAGS_INIT "-nostdlibinc -isystem /usr/include/${platform_triple}")
  set(CMAKE_CXX_FLAGS_INIT "-nostdinc++ -isystem /usr/include/${platform_triple}/c++/v1 ${CMAKE_C_FLAGS_INIT} -fno-exceptions")
  # CMake passes the compile flags to links too, where the header flags
  # have nothing to do.
  set(CMAKE_EXE_LINKER_FLAGS_INIT "-L/usr/lib/${platform_triple} -Wno-unused-command-line-argument")
  find_program(FUEL_ECONOMY_NODE NAMES node nodejs REQUIRED)
  # Node warns on standard error that its WASI is experimental.
  set(CMAKE_CROSSCOMPILING_EMULATOR ${FUEL_ECONOMY_NODE} --no-warnings
      ${CMAKE_CURRENT_LIST_DIR}/../test/run_wasi.mjs)
else()
  # MinGW-w64 with the posix thread model (g++-mingw-w64-ARCH-posix).
  set(CMAKE_SYSTEM_NAME Windows)
  set(CMAKE_C_COMPILER ${platform_triple}-gcc-posix)
  set(CMAKE_CXX_COMPILER ${platform_triple}-g++-posix)
  set(CMAKE_RC_COMPILER ${platform_triple}-windres)
  # MinGW's own runtime DLLs (libstdc++, libgcc, winpthread) are not part of
  # Windows, so every program is linked with them inside.
  set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
  # Wine's debug channels would write to the tests' standard error, and a
  # new prefix would offer to download Mono and Gecko, which nothing here
  # needs. Debian keeps both loaders in /usr/lib/wine: wine64, and wine from
  # wine32.
  find_program(FUEL_ECONOMY_WINE NAMES ${platform_emulator} PATHS /usr/lib/wine
               NO_DEFAULT_PATH)
  find_program(FUEL_ECONOMY_WINE NAMES ${platform_emulator} wine REQUIRED)
  # The 32-bit loader is itself a 32-bit x86 program, which not every Linux
  # system runs (a kernel or sandbox without IA-32 emulation); with no
  # emulator, the tests are left out.
  execute_process(COMMAND ${FUEL_ECONOMY_WINE} --version
                  RESULT_VARIABLE wineFails OUTPUT_QUIET ERROR_QUIET)
  if(NOT wineFails)
    set(CMAKE_CROSSCOMPILING_EMULATOR
        env WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= ${FUEL_ECONOMY_WINE})
  endif()
endif()
