# The platforms that are cross-built here and tested under an emulator, one
# row each. Everything that names a platform takes it from this table: the
# toolchain file (cmake/toolchain.cmake), the presets (written from it by
# cmake/presets.cmake) and .ci/run (which runs `cmake -P` on this file to
# list the rows). docs/platforms.md describes each one.
#
#   name       the preset and build folder; for Linux, Debian's architecture
#   system     linux, windows or wasi
#   triple     the GNU triple of the cross compiler, or clang's target
#   emulator   qemu's name for the processor, the Wine loader, or node
#   processor  what CMake reports as CMAKE_SYSTEM_PROCESSOR
#   link       static, or dynamic where a static program does not run
#   packages   the Debian packages that build and run it, comma-separated
set(fuelEconomyPlatforms
  # name       system  triple                   emulator  processor link    packages
  "arm64       linux   aarch64-linux-gnu        aarch64   aarch64   static  g++-aarch64-linux-gnu,qemu-user-static"
  "armhf       linux   arm-linux-gnueabihf      arm       armv7l    static  g++-arm-linux-gnueabihf,qemu-user-static"
  "armel       linux   arm-linux-gnueabi        arm       armv5tel  static  g++-arm-linux-gnueabi,qemu-user-static"
  "i386        linux   i686-linux-gnu           i386      i686      static  g++-i686-linux-gnu,qemu-user-static"
  "mips64el    linux   mips64el-linux-gnuabi64  mips64el  mips64    static  g++-mips64el-linux-gnuabi64,qemu-user-static"
  "mipsel      linux   mipsel-linux-gnu         mipsel    mips      static  g++-mipsel-linux-gnu,qemu-user-static"
  "ppc64el     linux   powerpc64le-linux-gnu    ppc64le   ppc64le   static  g++-powerpc64le-linux-gnu,qemu-user-static"
  "s390x       linux   s390x-linux-gnu          s390x     s390x     static  g++-s390x-linux-gnu,qemu-user-static"
  "riscv64     linux   riscv64-linux-gnu        riscv64   riscv64   static  g++-riscv64-linux-gnu,qemu-user-static"
  # Debian's ports. A static alpha program, even a C one, crashes under qemu
  # in the C library's start-up, and alpha's -static-pie links a dynamic
  # program anyway; linked dynamically it runs on qemu's -L sysroot.
  "alpha       linux   alpha-linux-gnu          alpha     alpha     dynamic g++-alpha-linux-gnu,qemu-user-static"
  "hppa        linux   hppa-linux-gnu           hppa      parisc    static  g++-hppa-linux-gnu,qemu-user-static"
  "m68k        linux   m68k-linux-gnu           m68k      m68k      static  g++-m68k-linux-gnu,qemu-user-static"
  "powerpc     linux   powerpc-linux-gnu        ppc       ppc       static  g++-powerpc-linux-gnu,qemu-user-static"
  "ppc64       linux   powerpc64-linux-gnu      ppc64     ppc64     static  g++-powerpc64-linux-gnu,qemu-user-static"
  "sparc64     linux   sparc64-linux-gnu        sparc64   sparc64   static  g++-sparc64-linux-gnu,qemu-user-static"
  "windows     windows x86_64-w64-mingw32       wine64    x86_64    static  g++-mingw-w64-x86-64-posix,wine,wine64"
  "windows-i686 windows i686-w64-mingw32        wine      i686      static  g++-mingw-w64-i686-posix,wine,wine32:i386"
  # WebAssembly for browsers: clang with Debian's WASI C and C++ libraries,
  # run by Node's WASI (test/run_wasi.mjs); binaryen shrinks it, librsvg
  # draws its page's icons, and Chromium, Firefox and WebKitGTK (under Xvfb)
  # run its page.
  "wasi        wasi    wasm32-wasi              node      wasm32    static  clang-14,lld-14,libc++-14-dev-wasm32,libc++abi-14-dev-wasm32,libclang-rt-14-dev-wasm32,wasi-libc,binaryen,librsvg2-bin,chromium,firefox-esr,webkit2gtk-driver,xvfb,xauth"
)

set(fuelEconomyPlatformFields name system triple emulator processor link packages)

# fuelEconomyPlatform(NAME PREFIX) sets PREFIX_name, PREFIX_system, ... to
# NAME's row, and PREFIX_found to whether there is one.
function(fuelEconomyPlatform name prefix)
  set(${prefix}_found OFF PARENT_SCOPE)
  foreach(row IN LISTS fuelEconomyPlatforms)
    string(REGEX MATCHALL "[^ ]+" values "${row}")
    list(GET values 0 rowName)
    if(rowName STREQUAL name)
      foreach(field IN LISTS fuelEconomyPlatformFields)
        list(POP_FRONT values value)
        set(${prefix}_${field} "${value}" PARENT_SCOPE)
      endforeach()
      set(${prefix}_found ON PARENT_SCOPE)
    endif()
  endforeach()
endfunction()

# `cmake -P cmake/platforms.cmake` writes the rows, fields separated by one
# blank, for scripts.
if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  foreach(row IN LISTS fuelEconomyPlatforms)
    string(REGEX MATCHALL "[^ ]+" values "${row}")
    list(JOIN values " " line)
    execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${line}")
  endforeach()
endif()
