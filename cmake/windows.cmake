# Windows on x86-64, cross-built with Debian's MinGW-w64 (the posix thread
# model, g++-mingw-w64-x86-64-posix) and run here under Wine (wine64).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
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
find_program(FUEL_ECONOMY_WINE NAMES wine64 wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR
    env WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= ${FUEL_ECONOMY_WINE})
