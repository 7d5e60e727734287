# Linux on another architecture, cross-built with Debian's g++-TRIPLE and run
# here under qemu-user (qemu-user-static). FUEL_ECONOMY_ARCHITECTURE names
# the architecture as Debian does; the cross presets set it.
#
# One row an architecture: Debian's name, the GNU triple of its cross
# compiler, qemu's name for it, and the processor that CMake reports.
set(fuelEconomyLinuxArchitectures
  "arm64    aarch64-linux-gnu       aarch64  aarch64"
  "armhf    arm-linux-gnueabihf     arm      armv7l"
  "armel    arm-linux-gnueabi       arm      armv5tel"
  "i386     i686-linux-gnu          i386     i686"
  "mips64el mips64el-linux-gnuabi64 mips64el mips64"
  "mipsel   mipsel-linux-gnu        mipsel   mips"
  "ppc64el  powerpc64le-linux-gnu   ppc64le  ppc64le"
  "s390x    s390x-linux-gnu         s390x    s390x"
  "riscv64  riscv64-linux-gnu       riscv64  riscv64")

# try_compile projects read this file again and need the choice too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES FUEL_ECONOMY_ARCHITECTURE)
set(found)
foreach(row IN LISTS fuelEconomyLinuxArchitectures)
  string(REGEX MATCHALL "[^ ]+" fields "${row}")
  list(GET fields 0 name)
  if(name STREQUAL "${FUEL_ECONOMY_ARCHITECTURE}")
    list(GET fields 1 triple)
    list(GET fields 2 qemu)
    list(GET fields 3 processor)
    set(found ON)
  endif()
endforeach()
if(NOT found)
  message(FATAL_ERROR "FUEL_ECONOMY_ARCHITECTURE is '${FUEL_ECONOMY_ARCHITECTURE}'; "
                      "cmake/linux.cmake knows these: ${fuelEconomyLinuxArchitectures}")
endif()

set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${processor})
# What the .deb calls its architecture: dpkg would answer for this machine.
set(FUEL_ECONOMY_DEBIAN_ARCHITECTURE ${FUEL_ECONOMY_ARCHITECTURE})

set(CMAKE_C_COMPILER ${triple}-gcc)
set(CMAKE_CXX_COMPILER ${triple}-g++)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# -L gives qemu the target's loader and libraries for a dynamically linked
# test.
find_program(FUEL_ECONOMY_QEMU NAMES qemu-${qemu}-static qemu-${qemu} REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${FUEL_ECONOMY_QEMU} -L /usr/${triple})
