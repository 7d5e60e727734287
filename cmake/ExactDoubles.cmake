# Every result is IEEE double arithmetic, each operation rounded once to 53
# bits and overflowing to infinity. This is where the build makes it so on
# every target, and the one place that says why; src/ieee_double.h stops any
# build that still evaluates with excess precision or range.
#
# 32-bit x86 compilers evaluate doubles in the x87 unit's 80-bit registers
# (FLT_EVAL_METHOD 2), which rounds twice and, near a six-digit rounding
# tie, writes the neighbouring number (912.337 for 912.338). Setting the x87
# to 53-bit precision would still leave its wider exponent range, so that an
# overflowing subtraction stays finite (2 -1.7e308 1.7e308 would give
# 1.7e+308 miles per gallon, not inf), and no flag of every compiler rounds
# each value to double; so these targets compute in SSE2, which every x86
# processor since the Pentium 4 and the Athlon 64 has.
#
# The 68k family's floating point (the 68881 and 68882, and the one inside
# the 68040 and 68060) has no such alternative: it computes in 80-bit
# registers with the wider exponent range, and the 68040 and 68060 keep that
# range though they report FLT_EVAL_METHOD 0. There -ffloat-store rounds each result to
# a double, range included, as it is stored, and src/ieee_double.h sets the
# rounding precision to double at start, so that each operation rounds its
# significand once and storing it does not round it again. g++ is the
# compiler for these; FUEL_ECONOMY_FLOAT_STORE tells the header that the flag
# is there.

include(CheckCXXSourceCompiles)
include(CMakePushCheckState)

check_cxx_source_compiles("#ifndef __HAVE_68881__\n#error\n#endif\nint main() {}\n"
  FUEL_ECONOMY_HAS_68881)
if(FUEL_ECONOMY_HAS_68881)
  message(STATUS "Doubles are stored after each operation (-ffloat-store), rounded to double precision")
  add_compile_options(-ffloat-store)
  add_compile_definitions(FUEL_ECONOMY_FLOAT_STORE)
else()
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
endif()

# A fused multiply-add would round a product and a sum once between them;
# each product and quotient must be a double of its own.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-ffp-contract=off)
endif()
