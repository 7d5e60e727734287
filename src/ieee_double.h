#ifndef FUEL_ECONOMY_IEEE_DOUBLE_H_
#define FUEL_ECONOMY_IEEE_DOUBLE_H_

// The program's results are IEEE 754 double arithmetic, every operation
// rounded once to 53 bits; cmake/ExactDoubles.cmake says why a wider
// evaluation gets them wrong and how the build avoids it. A build that still
// evaluates with excess precision stops here rather than print wrong numbers.

#include <cfloat>

#if !defined(FLT_EVAL_METHOD) || FLT_EVAL_METHOD != 0
#error \
    "doubles are evaluated with excess precision here (FLT_EVAL_METHOD is not 0), which rounds every result twice; build with SSE2 arithmetic (-msse2 -mfpmath=sse) or another target"
#endif

#endif  // FUEL_ECONOMY_IEEE_DOUBLE_H_
