# Each optional compiler and linker flag is used only where the toolchain is
# shown to take it without a warning, so that no compiler or linker meets a
# flag it does not know or cannot honour (g++ for some targets only warns
# that it has no stack protector). These set `out` to the flags that are
# taken, in order.

include(CheckCXXCompilerFlag)
include(CheckCXXSourceCompiles)
include(CMakePushCheckState)

function(probeCompileFlags out)
  set(taken)
  foreach(flag IN LISTS ARGN)
    string(MAKE_C_IDENTIFIER "FUEL_ECONOMY_CXX${flag}" have)
    cmake_push_check_state(RESET)
    set(CMAKE_REQUIRED_FLAGS -Werror)
    check_cxx_compiler_flag(${flag} ${have})
    cmake_pop_check_state()
    if(${have})
      list(APPEND taken ${flag})
    endif()
  endforeach()
  set(${out} ${taken} PARENT_SCOPE)
endfunction()

function(probeLinkFlags out)
  set(taken)
  foreach(flag IN LISTS ARGN)
    # -z keywords are ELF's; WebAssembly's linker takes some without a word.
    if(flag MATCHES "^-z," AND NOT CMAKE_EXECUTABLE_FORMAT STREQUAL "ELF")
      continue()
    endif()
    string(MAKE_C_IDENTIFIER "FUEL_ECONOMY_LD${flag}" have)
    cmake_push_check_state(RESET)
    set(CMAKE_REQUIRED_LINK_OPTIONS "-Wl,${flag}")
    # GNU ld only warns about a -z keyword it does not know.
    check_cxx_source_compiles("int main() { return 0; }" ${have}
      FAIL_REGEX "ignored|unknown|unrecognized|not supported")
    cmake_pop_check_state()
    if(${have})
      list(APPEND taken "-Wl,${flag}")
    endif()
  endforeach()
  set(${out} ${taken} PARENT_SCOPE)
endfunction()
