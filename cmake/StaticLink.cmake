# FUEL_ECONOMY_STATIC: fuel-economy linked statically, as a static PIE where
# the toolchain links one, else with -static, else (macOS, or sanitizers)
# the ordinary way; configure says which. Sets fuelEconomyLinkage to
# "static PIE", "static" or nothing.
#
# Linked statically, the program starts without the dynamic loader, which
# would otherwise spend more than the whole dialogue relocating the C++
# runtime (bench/run measures it). It is an optimisation, taken only where a
# probe links a C++ program that way.

include(${CMAKE_CURRENT_LIST_DIR}/FlagProbes.cmake)

set(fuelEconomyLinkage)
set(why)
if(FUEL_ECONOMY_STATIC AND fuelEconomySanitizing)
  set(why "the sanitizers need their shared runtimes")
elseif(FUEL_ECONOMY_STATIC)
  set(probe "#include <iostream>\nint main() { std::cout << 1.5; }\n")
  cmake_push_check_state(RESET)
  # Other formats than ELF have no static PIE, though g++ takes the flag.
  if(CMAKE_EXECUTABLE_FORMAT STREQUAL "ELF")
    set(CMAKE_REQUIRED_FLAGS -fPIE)
    set(CMAKE_REQUIRED_LINK_OPTIONS -static-pie)
    check_cxx_source_compiles("${probe}" FUEL_ECONOMY_LINKS_STATIC_PIE)
  endif()
  if(NOT FUEL_ECONOMY_LINKS_STATIC_PIE)
    set(CMAKE_REQUIRED_FLAGS)
    set(CMAKE_REQUIRED_LINK_OPTIONS -static)
    check_cxx_source_compiles("${probe}" FUEL_ECONOMY_LINKS_STATIC)
  endif()
  cmake_pop_check_state()
  if(FUEL_ECONOMY_LINKS_STATIC_PIE)
    set(fuelEconomyLinkage "static PIE")
    target_compile_options(fuel-economy-core PRIVATE -fPIE)
    target_compile_options(fuel-economy PRIVATE -fPIE)
    target_link_options(fuel-economy PRIVATE -static-pie)
  elseif(FUEL_ECONOMY_LINKS_STATIC)
    set(fuelEconomyLinkage "static")
    target_link_options(fuel-economy PRIVATE -static)
  else()
    set(why "this toolchain links no static C++ program")
  endif()
endif()

if(fuelEconomyLinkage)
  # No PIE property on the program, neither on nor off: its -pie or -no-pie
  # would override -static-pie, and a static program that is no PIE has no
  # use for it. The library keeps it, for the tests that link it.
  set_property(TARGET fuel-economy PROPERTY POSITION_INDEPENDENT_CODE)
  # Where the project links the whole program itself, packed relative
  # relocations make fewer relocations to apply at start, and dropping
  # unused sections leaves less to relocate. A dynamic link leaves such
  # choices to the system's toolchain: packed relocations there would need a
  # newer C library than a package declares.
  probeCompileFlags(sectionFlags -ffunction-sections -fdata-sections)
  probeLinkFlags(startFlags --gc-sections -z,pack-relative-relocs)
  target_compile_options(fuel-economy-core PRIVATE ${sectionFlags})
  target_compile_options(fuel-economy PRIVATE ${sectionFlags})
  target_link_options(fuel-economy PRIVATE ${startFlags})
  message(STATUS "fuel-economy is linked as a ${fuelEconomyLinkage} executable")
elseif(why)
  message(STATUS "fuel-economy is linked dynamically: ${why}")
endif()
