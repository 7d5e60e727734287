# AddressSanitizer and UndefinedBehaviorSanitizer, asked for with
# FUEL_ECONOMY_SANITIZE or given in the flags; libFuzzer's instrumentation
# with FUEL_ECONOMY_FUZZERS. Sets fuelEconomySanitizing: sanitizer runtimes
# cannot be linked statically and do their own checking of the stack, so
# whichever way they are asked for, they take precedence over the static
# link and the hardening flags.

string(TOUPPER "${CMAKE_BUILD_TYPE}" buildType)
if(FUEL_ECONOMY_SANITIZE OR "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${buildType}} ${CMAKE_EXE_LINKER_FLAGS}"
                            MATCHES "-fsanitize=")
  set(fuelEconomySanitizing ON)
else()
  set(fuelEconomySanitizing OFF)
endif()

if(FUEL_ECONOMY_SANITIZE)
  # Any finding stops the run, so no report can scroll by in a passing test.
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()
if(FUEL_ECONOMY_FUZZERS)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
