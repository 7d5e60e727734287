#ifndef FUEL_ECONOMY_IEEE_DOUBLE_H_
#define FUEL_ECONOMY_IEEE_DOUBLE_H_

// The program's results are IEEE 754 double arithmetic: every subtraction,
// product and quotient rounded once, to 53 bits. Where doubles are evaluated
// in wider registers (FLT_EVAL_METHOD not 0, as in the x87 unit of 32-bit
// x86), each result is rounded twice and a trip near a six-digit rounding
// tie is written as its neighbour. The build asks such compilers for SSE2
// arithmetic (CMakeLists.txt); a build that still has excess precision
// stops here rather than print wrong numbers.

#include <cfloat>

#if !defined(FLT_EVAL_METHOD) || FLT_EVAL_METHOD != 0
#error \
    "doubles are evaluated with excess precision here (FLT_EVAL_METHOD is not 0), which rounds every result twice; build with SSE2 arithmetic (-msse2 -mfpmath=sse) or another target"
#endif

#endif  // FUEL_ECONOMY_IEEE_DOUBLE_H_
