#ifndef FUEL_ECONOMY_IEEE_DOUBLE_H_
#define FUEL_ECONOMY_IEEE_DOUBLE_H_

// The program's results are IEEE 754 double arithmetic, every operation
// rounded once to 53 bits and overflowing to infinity; cmake/ExactDoubles.cmake
// says why a wider evaluation gets them wrong and how the build avoids it. A
// build that would still evaluate with excess precision or range stops here
// rather than print wrong numbers.

#include <cfloat>

#if defined(__HAVE_68881__)
// The 68k family's floating point (the 68881 and 68882, and inside the 68040
// and 68060) computes in 80-bit registers with a wider exponent range, even
// where FLT_EVAL_METHOD is 0. -ffloat-store rounds every stored result to a
// double; the rounding precision set here rounds each operation's
// significand to 53 bits once, so that storing it does not round it again.
#if !defined(FUEL_ECONOMY_FLOAT_STORE)
#error \
    "68881-family floating point computes doubles in 80-bit registers with a wider exponent range, which rounds results twice and keeps overflowed ones finite; build with -ffloat-store -DFUEL_ECONOMY_FLOAT_STORE, as the project's build does"
#endif
namespace {
struct RoundingPrecisionDouble {
  RoundingPrecisionDouble() noexcept {
    // FPCR bits 7 and 6 are the rounding precision: 10 is double.
    unsigned int control = 0;
    __asm__ volatile("fmove.l %%fpcr,%0" : "=d"(control));
    control = (control & ~0xC0u) | 0x80u;
    __asm__ volatile("fmove.l %0,%%fpcr" : : "d"(control));
  }
};
const RoundingPrecisionDouble roundingPrecisionDouble;
}  // namespace
#elif !defined(FLT_EVAL_METHOD) || FLT_EVAL_METHOD != 0
#if defined(__i386__) || defined(_M_IX86)
#error \
    "doubles are evaluated in the x87 unit's 80-bit registers here (FLT_EVAL_METHOD is not 0), which rounds every result twice; build with SSE2 arithmetic (-msse2 -mfpmath=sse), as the project's build does"
#else
#error \
    "doubles are evaluated with excess precision here (FLT_EVAL_METHOD is not 0), which rounds every result twice"
#endif
#endif

#endif  // FUEL_ECONOMY_IEEE_DOUBLE_H_
