// Properties of the whole dialogue on arbitrary input.

#include <cstdint>
#include <sstream>
#include <string>

#include "check.h"
#include "dialogue.h"
#include "expected_output.h"

namespace {

using expected::invalidMessage;
using expected::kilometersLabel;
using expected::milesLabel;
using expected::prompts;

// A result as the stream's default format writes it: one short token.
bool isResult(const std::string& text) {
  return !text.empty() && text.size() <= 12 &&
         text.find_first_not_of("0123456789.e+-infa") == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::istringstream in(input);
  std::ostringstream out;
  runDialogue(in, out);
  const std::string output = out.str();

  // The three prompts, then the invalid-data message or the two results.
  FUZZ_CHECK(output.compare(0, prompts.size(), prompts) == 0);
  const std::string ending = output.substr(prompts.size());
  const bool valid = ending != invalidMessage;
  if (valid) {
    FUZZ_CHECK(ending.compare(0, milesLabel.size(), milesLabel) == 0);
    const auto second = ending.find(kilometersLabel, milesLabel.size());
    FUZZ_CHECK(second != std::string::npos);
    FUZZ_CHECK(ending.size() >= second + kilometersLabel.size() + 2);
    FUZZ_CHECK(ending.compare(ending.size() - 2, 2, "\n\n") == 0);
    FUZZ_CHECK(
        isResult(ending.substr(milesLabel.size(), second - milesLabel.size())));
    FUZZ_CHECK(isResult(
        ending.substr(second + kilometersLabel.size(),
                      ending.size() - 2 - second - kilometersLabel.size())));
  }

#if defined(__GLIBCXX__)
  // libstdc++'s extraction reads the same three numbers, so the run is
  // valid exactly when they read and make a positive distance and fuel.
  if (size <= oracleInputLimit) {
    std::istringstream oracle(input);
    double gasGallons = 0.0;
    double mileageStart = 0.0;
    double mileageEnd = 0.0;
    oracle >> gasGallons >> mileageStart >> mileageEnd;
    const double milesTraveled = mileageEnd - mileageStart;
    const bool expected = !oracle.fail() && milesTraveled > 0 && gasGallons > 0;
    FUZZ_CHECK(valid == expected);
    if (valid) {
      std::ostringstream miles;
      miles << milesLabel << milesTraveled / gasGallons << kilometersLabel;
      FUZZ_CHECK(ending.compare(0, miles.str().size(), miles.str()) == 0);
    }
  }
#endif
  return 0;
}
