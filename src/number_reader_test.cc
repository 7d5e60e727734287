#include "number_reader.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "exact_decimal.h"
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
// subnormals, without its exponent of -1075.
std::string subnormalMidpoint(std::uint64_t oddMultiple) {
  return exactDecimal(oddMultiple, -1075).digits;
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
    // The characters on either side of the digits in ASCII.
    {"12/5", 12.0, "/5"},
    {"9:30", 9.0, ":30"},
    {"1e2/", 100.0, "/"},
    {"1e:2", std::nullopt, ":2"},
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
    // Exponents past a 64-bit integer, which must saturate, not wrap.
    {"1e9999999999999999999", std::nullopt, ""},
    {"1e18446744073709551617", std::nullopt, ""},
    {"1e-9999999999999999999", 0.0, ""},
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
    // An exponent of more digits than any double needs, offset by as many
    // leading zeros.
    {"0." + zeros(10000) + "1e10001", 1.0, ""},
    {"1" + zeros(10000) + "e-10000", 1.0, ""},
    // A nonzero digit dropped far past the kept ones still breaks a tie,
    // however many zeros follow it.
    {halfAboveOne + zeros(1000) + "1" + zeros(1000), 1.0 + DBL_EPSILON, ""},
    // All the digits kept, and an exponent that needs clamping either way.
    {"1" + zeros(767) + "e-99999999999999999999", 0.0, ""},
    {"1" + zeros(767) + "e99999999999999999999", std::nullopt, ""},
    {"1" + zeros(767) + "1e-100300", 0.0, ""},

    // The midpoint just below the largest subnormal has 768 significant
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
  EXPECT_FALSE(reading.bad) << shown;
}

INSTANTIATE_TEST_SUITE_P(Table, ReadNumber, testing::ValuesIn(cases));

TEST(ReadNumber, FailedStreamConsumesNothingAndKeepsTheValue) {
  std::istringstream in("abc 12");
  double value = 3.0;
  readNumber(in, value);
  EXPECT_EQ(in.rdstate(), std::ios_base::failbit);
  EXPECT_EQ(value, 3.0);
  readNumber(in, value);
  EXPECT_EQ(in.rdstate(), std::ios_base::failbit);
  EXPECT_EQ(value, 3.0);
  in.clear();
  EXPECT_EQ(in.get(), 'a');
}

// What a reading leaves in the stream's state: failbit for every failure,
// eofbit wherever the input ended, and never badbit.
TEST(ReadNumber, StateAfterEachKindOfReading) {
  using std::ios_base;
  const struct {
    std::string input;
    ios_base::iostate state;
  } states[] = {
      {"10 ", ios_base::goodbit},
      {"10", ios_base::eofbit},
      {"abc", ios_base::failbit},
      {"-", ios_base::failbit | ios_base::eofbit},
      {"- ", ios_base::failbit},
      {"12e", ios_base::failbit | ios_base::eofbit},
      {"12e+x", ios_base::failbit},
      {"1e400", ios_base::failbit | ios_base::eofbit},
      {"1e400\n", ios_base::failbit},
      {"", ios_base::failbit | ios_base::eofbit},
      {" \n", ios_base::failbit | ios_base::eofbit},
  };
  for (const auto& c : states) {
    std::istringstream in(c.input);
    double value = 0.0;
    readNumber(in, value);
    EXPECT_EQ(in.rdstate(), c.state) << '"' << c.input << '"';
  }
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

// Random decimals checked against exact arithmetic, which no standard
// library takes part in: long mantissas, far exponents, subnormals, and
// exact midpoints between doubles with what may follow them.
struct Token {
  std::string text;
  std::string digits;  // the value is digits * 10^exponent, with the sign
  std::int64_t exponent = 0;
  bool negative = false;
};

Token randomToken(std::mt19937_64& random) {
  const auto below = [&random](std::uint64_t bound) {
    return static_cast<std::int64_t>(random() % bound);
  };
  Token token;
  switch (below(4)) {
    case 0: {  // a midpoint between two doubles, exactly, or just off it
      const double value = fromBits(random() % 0x7FEFFFFFFFFFFFFF);
      const RoundingInterval interval = roundingInterval(value);
      Decimal midpoint =
          exactDecimal(interval.upperScaled, interval.upperExponent);
      switch (below(4)) {
        case 0: {  // exactly, with zeros after it
          const auto padding = static_cast<std::size_t>(below(900));
          midpoint.digits += zeros(padding);
          midpoint.exponent -= static_cast<std::int64_t>(padding);
          break;
        }
        case 1: {  // just above
          const auto padding = static_cast<std::size_t>(below(900));
          midpoint.digits += zeros(padding) + "1";
          midpoint.exponent -= static_cast<std::int64_t>(padding) + 1;
          break;
        }
        case 2: {  // just below: ...5 becomes ...4999, ...50 becomes ...4999
          const auto nines = static_cast<std::size_t>(1 + below(900));
          while (midpoint.digits.back() == '0') {
            midpoint.digits.pop_back();
            ++midpoint.exponent;
          }
          midpoint.digits.back() =
              static_cast<char>(midpoint.digits.back() - 1);
          midpoint.digits += std::string(nines, '9');
          midpoint.exponent -= static_cast<std::int64_t>(nines);
          break;
        }
        default:
          break;
      }
      token.digits = midpoint.digits;
      token.exponent = midpoint.exponent;
      break;
    }
    default: {  // random digits, anywhere from beyond zero to overflow
      const auto length = static_cast<std::size_t>(
          below(3) == 0 ? 1 + below(1200) : 1 + below(20));
      for (std::size_t i = 0; i < length; ++i) {
        token.digits += static_cast<char>('0' + below(10));
      }
      // The power of ten of the leading digit: mostly where doubles are,
      // sometimes past their range, and sometimes past any exponent that a
      // converter could be handed unclamped.
      std::int64_t leading = below(680) - 345;
      if (below(16) == 0) {
        leading = below(2'000'000) - 1'000'000;
      }
      if (below(16) == 0) {
        leading = below(8'000'000'000'000'000'000) - 4'000'000'000'000'000'000;
      }
      token.exponent = leading - static_cast<std::int64_t>(length) + 1;
      break;
    }
  }

  // Written with a sign, leading zeros, a point and an exponent, in any of
  // the forms that denote the same value.
  token.negative = below(2) == 0;
  if (token.negative) token.text = "-";
  token.text += zeros(static_cast<std::size_t>(below(3) == 0 ? below(30) : 0));
  const auto size = static_cast<std::int64_t>(token.digits.size());
  const std::int64_t point =
      below(3) == 0 ? size : below(static_cast<std::uint64_t>(size) + 1);
  token.text += token.digits.substr(0, static_cast<std::size_t>(point));
  if (point < size || below(2) == 0) {
    token.text += "." + token.digits.substr(static_cast<std::size_t>(point));
  }
  const std::int64_t written = token.exponent + (size - point);
  if (written != 0 || below(2) == 0) {
    token.text += (below(2) == 0 ? "e" : "E") + std::to_string(written);
  }
  return token;
}

TEST(ReadNumber, AgreesWithExactArithmeticOnRandomInput) {
  std::mt19937_64 random(20261210);
  for (int i = 0; i < 20000; ++i) {
    const Token token = randomToken(random);
    const Reading reading = readOnce(token.text);
    const std::string shown = token.text.substr(0, 80);
    ASSERT_TRUE(reading.rest.empty()) << shown;
    ASSERT_FALSE(reading.bad) << shown;
    if (overflowsDouble(token.digits, token.exponent)) {
      ASSERT_TRUE(reading.failed) << shown;
      continue;
    }
    ASSERT_FALSE(reading.failed) << shown;
    const double value = fromBits(reading.bits);
    ASSERT_EQ(std::signbit(value), token.negative) << shown;
    ASSERT_TRUE(
        isCorrectlyRounded(token.digits, token.exponent, std::fabs(value)))
        << shown << " read as " << reading.bits;
  }
}

#if defined(__GLIBCXX__)
// libstdc++'s own extraction follows the same grammar: any input, however
// odd, must give the same outcome from both.
std::string randomInput(std::mt19937_64& random) {
  static const char pieces[] = "0123456789000000000.eE+- x,\n/:";
  std::string input;
  const auto length = random() % 24;
  for (std::uint64_t i = 0; i < length; ++i) {
    if (random() % 64 == 0) {
      // A long run of one digit, past the digits the reader keeps.
      input.append(static_cast<std::size_t>(700 + random() % 400),
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
    ASSERT_EQ(ours.bad, library.bad) << input;
  }
}
#endif

}  // namespace
