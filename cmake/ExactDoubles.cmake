# Every result is IEEE double arithmetic, each operation rounded once to 53
# bits. This is where the build makes it so on every target, and the one
# place that says why.
#
# 32-bit x86 compilers evaluate doubles in the x87 unit's 80-bit registers
# (FLT_EVAL_METHOD 2), which rounds twice and, near a six-digit rounding
# tie, writes the neighbouring number (912.337 for 912.338). Setting the x87
# to 53-bit precision would still leave its wider exponent range, so that an
# overflowing subtraction stays finite (2 -1.7e308 1.7e308 would give
# 1.7e+308 miles per gallon, not inf), and no flag of every compiler rounds
# each value to double; so these targets compute in SSE2, which every x86
# processor since the Pentium 4 and the Athlon 64 has. src/ieee_double.h
# stops any build that still evaluates with excess precision.

include(CheckCXXSourceCompiles)
include(CMakePushCheckState)

set(evaluatesInDouble "#include <cfloat>
#if FLT_EVAL_METHOD != 0
#error excess precision
#endif
int main() { return 0; }
")
check_cxx_source_compiles("${evaluatesInDouble}" FUEL_ECONOMY_EVALUATES_IN_DOUBLE)
if(NOT FUEL_ECONOMY_EVALUATES_IN_DOUBLE)
  cmake_push_check_state(RESET)
  set(CMAKE_REQUIRED_FLAGS "-msse2 -mfpmath=sse")
  check_cxx_source_compiles("${evaluatesInDouble}" FUEL_ECONOMY_EVALUATES_IN_SSE2)
  cmake_pop_check_state()
  if(FUEL_ECONOMY_EVALUATES_IN_SSE2)
    message(STATUS "Doubles are computed with SSE2: this build needs a processor that has it")
    add_compile_options(-msse2 -mfpmath=sse)
  endif()
endif()

# A fused multiply-add would round a product and a sum once between them;
# each product and quotient must be a double of its own.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-ffp-contract=off)
endif()
