# Windows, cross-built with Debian's MinGW-w64 (the posix thread model,
# g++-mingw-w64-ARCH-posix) and run here under Wine. FUEL_ECONOMY_ARCHITECTURE
# is x86_64 (64-bit, wine64) or i686 (32-bit, wine32); the presets set it.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES FUEL_ECONOMY_ARCHITECTURE)
if(NOT FUEL_ECONOMY_ARCHITECTURE MATCHES "^(x86_64|i686)$")
  message(FATAL_ERROR "FUEL_ECONOMY_ARCHITECTURE is '${FUEL_ECONOMY_ARCHITECTURE}'; "
                      "cmake/windows.cmake knows x86_64 and i686")
endif()
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${FUEL_ECONOMY_ARCHITECTURE})

set(triple ${FUEL_ECONOMY_ARCHITECTURE}-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# MinGW's own runtime DLLs (libstdc++, libgcc, winpthread) are not part of
# Windows, so every program is linked with them inside.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Wine's debug channels would write to the tests' standard error, and a new
# prefix would offer to download Mono and Gecko, which nothing here needs.
# Debian keeps both loaders in /usr/lib/wine: wine64, and wine from wine32.
if(FUEL_ECONOMY_ARCHITECTURE STREQUAL "x86_64")
  set(loader wine64)
else()
  set(loader wine)
endif()
find_program(FUEL_ECONOMY_WINE NAMES ${loader} PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(FUEL_ECONOMY_WINE NAMES ${loader} wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR
    env WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= ${FUEL_ECONOMY_WINE})
