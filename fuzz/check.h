#ifndef FUEL_ECONOMY_FUZZ_CHECK_H_
#define FUEL_ECONOMY_FUZZ_CHECK_H_

#include <cstdio>
#include <cstdlib>

// A property that does not hold is a finding: report it and abort, so that
// libFuzzer saves the input and the corpus replay fails.
#define FUZZ_CHECK(condition)                                                  \
  do {                                                                         \
    if (!(condition)) {                                                        \
      std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, \
                   #condition);                                                \
      std::abort();                                                            \
    }                                                                          \
  } while (false)

// Inputs up to this size are also checked against libstdc++'s extraction,
// which keeps the whole token in memory.
constexpr std::size_t oracleInputLimit = 8192;

#endif  // FUEL_ECONOMY_FUZZ_CHECK_H_
