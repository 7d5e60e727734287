// Properties of one reading of arbitrary bytes.

#include <cmath>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>

#include "check.h"
#include "number_reader.h"
#include "read_probe.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const Reading ours = readWith(input, readNumber);

  // What was consumed is a prefix of the input.
  const std::string& rest = ours.rest;
  FUZZ_CHECK(rest.size() <= input.size());
  FUZZ_CHECK(input.compare(input.size() - rest.size(), rest.size(), rest) == 0);
  const std::string consumed = input.substr(0, input.size() - rest.size());

  if (ours.failed) {
    FUZZ_CHECK(ours.valueKept);  // a failed reading supplies no value
  } else {
    double value = 0.0;
    std::memcpy(&value, &ours.bits, sizeof value);
    FUZZ_CHECK(std::isfinite(value));
    FUZZ_CHECK(consumed.find_first_of("0123456789") != std::string::npos);
  }

  // A failed stream stays failed and consumes nothing more.
  std::istringstream again(input);
  again.setstate(std::ios_base::failbit);
  double untouched = 2.0;
  readNumber(again, untouched);
  FUZZ_CHECK(again.fail() && untouched == 2.0);
  again.clear();
  FUZZ_CHECK(again.tellg() == 0);

#if defined(__GLIBCXX__)
  // libstdc++'s extraction has the same grammar and rounding.
  if (size <= oracleInputLimit) {
    const Reading library =
        readWith(input, [](std::istream& s, double& v) { s >> v; });
    FUZZ_CHECK(ours.failed == library.failed);
    FUZZ_CHECK(ours.eof == library.eof);
    FUZZ_CHECK(ours.bits == library.bits);
    FUZZ_CHECK(ours.rest == library.rest);
  }
#endif
  return 0;
}
