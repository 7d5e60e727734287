#include "number_reader.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "read_probe.h"

namespace {

std::uint64_t bitsOf(double value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

double fromBits(std::uint64_t bits) {
  double value = 0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

Reading readOnce(const std::string& input) {
  return readWith(input, readNumber);
}

std::string zeros(std::size_t count) { return std::string(count, '0'); }

// The exact decimal of oddMultiple * 2^-1075, a midpoint between adjacent
// subnormals: oddMultiple * 5^1075 written out, times 10^-1075.
std::string subnormalMidpoint(std::uint64_t oddMultiple) {
  std::vector<unsigned> digits = {1};  // least significant first
  const auto multiply = [&digits](std::uint64_t factor) {
    std::uint64_t carry = 0;
    for (unsigned& digit : digits) {
      const std::uint64_t product = digit * factor + carry;
      digit = static_cast<unsigned>(product % 10);
      carry = product / 10;
    }
    for (; carry > 0; carry /= 10) {
      digits.push_back(static_cast<unsigned>(carry % 10));
    }
  };
  for (int i = 0; i < 1075; ++i) multiply(5);
  multiply(oddMultiple);  // below 2^54, so digit * factor + carry fits
  std::string text;
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    text += static_cast<char>('0' + *it);
  }
  return text;
}

struct Case {
  std::string input;
  std::optional<double> value;  // none: the reading fails
  std::string rest;
};

// 1 + 2^-53 exactly: halfway between 1 and the next double up.
const std::string halfAboveOne =
    "1.00000000000000011102230246251565404236316680908203125";

const Case cases[] = {
    // Forms of a number, and where it stops.
    {"10", 10.0, ""},
    {" \t\r\n\v\f42 rest", 42.0, " rest"},
    {"+7", 7.0, ""},
    {"-7\n", -7.0, "\n"},
    {"-0", -0.0, ""},
    {"007", 7.0, ""},
    {"1.", 1.0, ""},
    {".5", 0.5, ""},
    {"-.5", -0.5, ""},
    {"12.5e1", 125.0, ""},
    {"1E+3", 1000.0, ""},
    {"1e-3", 0.001, ""},
    {"1.e2", 100.0, ""},
    {"1.5.3", 1.5, ".3"},
    {"1e5e3", 1e5, "e3"},
    {"1e5.3", 1e5, ".3"},
    {"1300,5", 1300.0, ",5"},
    {"1300abc", 1300.0, "abc"},
    {"0x10", 0.0, "x10"},
    {"1e+-5", std::nullopt, "-5"},

    // Nothing that makes a number: fails, consuming what it took in.
    {"", std::nullopt, ""},
    {"  \n ", std::nullopt, ""},
    {"abc", std::nullopt, "abc"},
    {",5", std::nullopt, ",5"},
    {"inf", std::nullopt, "inf"},
    {"nan", std::nullopt, "nan"},
    {"-", std::nullopt, ""},
    {"+-1", std::nullopt, "-1"},
    {".", std::nullopt, ""},
    {"..5", std::nullopt, ".5"},
    {"-e1", std::nullopt, "e1"},
    {".e1", std::nullopt, "e1"},
    {"12e", std::nullopt, ""},
    {"12e ", std::nullopt, " "},
    {"1e+", std::nullopt, ""},
    {"1e-x", std::nullopt, "x"},
    {std::string("\0"
                 "1",
                 2),
     std::nullopt,
     std::string("\0"
                 "1",
                 2)},
    {"\xd9\xa1", std::nullopt, "\xd9\xa1"},  // ARABIC-INDIC DIGIT ONE

    // The edges of the double range.
    {"1.7976931348623157e308", DBL_MAX, ""},
    {"1.7976931348623158e308", DBL_MAX, ""},
    {"1.7976931348623159e308", std::nullopt, ""},
    {"1e400", std::nullopt, ""},
    {"-1e400", std::nullopt, ""},
    {"1e99999999999999999999999999", std::nullopt, ""},
    {"2.2250738585072014e-308", DBL_MIN, ""},
    {"4.9e-324", std::numeric_limits<double>::denorm_min(), ""},
    {"2.4703282292062328e-324", std::numeric_limits<double>::denorm_min(), ""},
    {"2.4703282292062327e-324", 0.0, ""},
    {"1e-400", 0.0, ""},
    {"-1e-400", -0.0, ""},
    {"1e-99999999999999999999999999", 0.0, ""},
    {"0e99999999999999999999999999", 0.0, ""},

    // Exact ties go to even.
    {"9007199254740993", 9007199254740992.0, ""},
    {"9007199254740995", 9007199254740996.0, ""},
    {halfAboveOne, 1.0, ""},
    {halfAboveOne + "0000001", 1.0 + DBL_EPSILON, ""},

    // Tokens far longer than the digits kept: what lies beyond still counts.
    {"1" + zeros(5000) + "e-5000", 1.0, ""},
    {"0." + zeros(5000) + "1e5001", 1.0, ""},
    {"0." + zeros(5000) + "25e+5001", 2.5, ""},
    {halfAboveOne + zeros(5000), 1.0, ""},
    {halfAboveOne + zeros(5000) + "1", 1.0 + DBL_EPSILON, ""},
    {"9007199254740993" + zeros(5000) + "e-5000", 9007199254740992.0, ""},
    {"9007199254740993" + zeros(5000) + "1e-5001", 9007199254740994.0, ""},
    {"1" + zeros(400) + "x", std::nullopt, "x"},
    {"-" + zeros(5000) + "." + zeros(5000) + "1e5001", -1.0, ""},

    // The midpoint just below the largest subnormal has 767 significant
    // digits; it ties down to the even neighbour, and any nonzero digit after
    // it, however far, rounds it up.
    {subnormalMidpoint((1ULL << 53) - 3) + "e-1075",
     fromBits(0x000FFFFFFFFFFFFE), ""},
    {subnormalMidpoint((1ULL << 53) - 3) + zeros(5000) + "e-6075",
     fromBits(0x000FFFFFFFFFFFFE), ""},
    {subnormalMidpoint((1ULL << 53) - 3) + zeros(5000) + "1e-6076",
     fromBits(0x000FFFFFFFFFFFFF), ""},
};

class ReadNumber : public testing::TestWithParam<Case> {};

TEST_P(ReadNumber, ValueAndRest) {
  const Case& c = GetParam();
  const Reading reading = readOnce(c.input);
  const std::string shown = c.input.substr(0, 60);
  EXPECT_EQ(reading.failed, !c.value.has_value()) << shown;
  if (c.value) {
    EXPECT_EQ(reading.bits, bitsOf(*c.value)) << shown;
  }
  EXPECT_EQ(reading.rest, c.rest) << shown;
  EXPECT_EQ(reading.eof, c.rest.empty()) << shown;
}

INSTANTIATE_TEST_SUITE_P(Table, ReadNumber, testing::ValuesIn(cases));

TEST(ReadNumber, FailedStreamConsumesNothingAndKeepsTheValue) {
  std::istringstream in("abc 12");
  double value = 3.0;
  readNumber(in, value);
  EXPECT_TRUE(in.fail());
  EXPECT_EQ(value, 3.0);
  readNumber(in, value);
  EXPECT_TRUE(in.fail());
  EXPECT_EQ(value, 3.0);
  in.clear();
  EXPECT_EQ(in.get(), 'a');
}

TEST(ReadNumber, ReadsSuccessiveNumbers) {
  std::istringstream in("10\n1000 1300,5");
  double values[3] = {};
  for (double& value : values) readNumber(in, value);
  EXPECT_FALSE(in.fail());
  EXPECT_EQ(values[0], 10.0);
  EXPECT_EQ(values[1], 1000.0);
  EXPECT_EQ(values[2], 1300.0);
  EXPECT_EQ(in.get(), ',');
}

#if defined(__GLIBCXX__)
// libstdc++'s own extraction follows the same grammar: any input, however
// odd, must give the same outcome from both.
std::string randomInput(std::mt19937_64& random) {
  static const char pieces[] = "0123456789000000000.eE+- x,\n";
  std::string input;
  const auto length = random() % 24;
  for (std::uint64_t i = 0; i < length; ++i) {
    if (random() % 64 == 0) {
      // A long run of one digit, past the digits the reader keeps.
      input.append(700 + random() % 400,
                   static_cast<char>('0' + random() % 10));
    } else {
      input += pieces[random() % (sizeof pieces - 1)];
    }
  }
  return input;
}

TEST(ReadNumber, AgreesWithTheLibraryOnRandomInput) {
  std::mt19937_64 random(20261209);
  for (int i = 0; i < 200000; ++i) {
    const std::string input = randomInput(random);
    const Reading ours = readOnce(input);
    const Reading library =
        readWith(input, [](std::istream& in, double& value) { in >> value; });
    ASSERT_EQ(ours.failed, library.failed) << input;
    ASSERT_EQ(ours.bits, library.bits) << input;
    ASSERT_EQ(ours.rest, library.rest) << input;
    ASSERT_EQ(ours.eof, library.eof) << input;
  }
}
#endif

}  // namespace
