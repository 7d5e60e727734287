# FUEL_ECONOMY_HARDEN: what Debian's dpkg-buildflags gives for hardening,
# each flag where the toolchain takes it (cmake/FlagProbes.cmake). Not with
# the sanitizers, which check the stack their own way, nor for WebAssembly,
# which keeps return addresses and code out of the program's memory and
# links nothing at run time, so these flags have nothing to guard (and
# WASI's C library has no stack protector).

include(${CMAKE_CURRENT_LIST_DIR}/FlagProbes.cmake)

if(FUEL_ECONOMY_HARDEN AND NOT fuelEconomySanitizing AND NOT WASI)
  set(flags -fstack-protector-strong -fcf-protection)
  # Windows probes every page of a large stack frame already (__chkstk), and
  # MinGW's g++ 12 fails on some frames when asked to as well.
  if(NOT WIN32)
    list(APPEND flags -fstack-clash-protection)
  endif()
  probeCompileFlags(flags ${flags})
  probeLinkFlags(linkFlags -z,relro -z,now)
  # Before the packager's own CXXFLAGS and LDFLAGS, so that theirs win where
  # they differ; CMAKE_CXX_FLAGS also reaches the link, where some of these
  # choose a runtime library.
  list(JOIN flags " " flags)
  list(JOIN linkFlags " " linkFlags)
  string(PREPEND CMAKE_CXX_FLAGS "${flags} ")
  string(PREPEND CMAKE_EXE_LINKER_FLAGS "${linkFlags} ")

  # Programs are position independent, as Debian's compilers make them on
  # most architectures by default but not on all; cmake/StaticLink.cmake
  # makes its own choice for a static program. Asked for an output
  # variable, the check does not warn where there is no PIE (Windows).
  include(CheckPIESupported)
  check_pie_supported(OUTPUT_VARIABLE unsupportedReason LANGUAGES CXX)
  if(CMAKE_CXX_LINK_PIE_SUPPORTED)
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  endif()

  # A packager's own level of fortification stays. It works only where the
  # compiler optimises and warns anywhere else, so it is added only where
  # the build type's flags optimise (a packager's -O0 included).
  if(NOT CMAKE_CXX_FLAGS MATCHES "_FORTIFY_SOURCE")
    if(CMAKE_CONFIGURATION_TYPES)
      add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
    else()
      string(TOUPPER "${CMAKE_BUILD_TYPE}" buildType)
      cmake_push_check_state(RESET)
      set(CMAKE_REQUIRED_FLAGS "${CMAKE_CXX_FLAGS_${buildType}}")
      check_cxx_source_compiles("#ifndef __OPTIMIZE__\n#error\n#endif\nint main() {}\n"
        FUEL_ECONOMY_OPTIMISES_${buildType})
      cmake_pop_check_state()
      if(FUEL_ECONOMY_OPTIMISES_${buildType})
        add_compile_definitions(_FORTIFY_SOURCE=2)
      endif()
    endif()
  endif()
endif()
