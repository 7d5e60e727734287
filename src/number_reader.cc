#include "number_reader.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <streambuf>
#include <system_error>

namespace {

// The decimal midpoint between two adjacent doubles, where rounding turns,
// has at most 768 significant digits (the longest lie just below the
// smallest normal double). Keeping 768 digits, plus one nonzero "sticky"
// digit when anything nonzero was dropped, therefore rounds every longer
// decimal exactly as the full text would.
constexpr std::size_t maxSignificantDigits = 768;

// The exponent is accumulated only up to here so that it cannot overflow;
// a larger one is reached only by inputs far longer than any real stream.
constexpr std::int64_t exponentSaturation = 100'000'000'000'000'000;

// With at most 769 digits, any power of ten beyond this is zero or overflow
// either way, so the exponent handed to the converter is clamped to it.
constexpr std::int64_t exponentClamp = 100'000;

// Room for the kept digits, the sticky digit, 'e', the exponent and a NUL.
constexpr std::size_t textCapacity = maxSignificantDigits + 16;

bool isDigit(int c) { return c >= '0' && c <= '9'; }

enum class Conversion { ok, overflow };

// Converts `digits` significant digits times 10^`exponent`; the text holds
// only digits and an exponent, so no locale can change how it is read.
Conversion convert(std::array<char, textCapacity>& text, std::size_t digits,
                   std::int64_t exponent, double& magnitude) {
  std::size_t length = digits;
  text[length++] = 'e';
  const auto written = std::to_chars(text.data() + length,
                                     text.data() + text.size() - 1, exponent);
  *written.ptr = '\0';
#if defined(__cpp_lib_to_chars)
  const auto parsed = std::from_chars(text.data(), written.ptr, magnitude);
  if (parsed.ec == std::errc::result_out_of_range) {
    // Out of range both ways; the leading digit's power of ten tells which.
    const auto leadingExponent =
        static_cast<std::int64_t>(digits) - 1 + exponent;
    if (leadingExponent >= 0) return Conversion::overflow;
    magnitude = 0.0;
  }
  return Conversion::ok;
#else
  magnitude = std::strtod(text.data(), nullptr);
  return std::isinf(magnitude) ? Conversion::overflow : Conversion::ok;
#endif
}

}  // namespace

std::istream& readNumber(std::istream& in, double& value) {
  const std::istream::sentry ready(in);
  if (!ready) return in;

  std::streambuf& buffer = *in.rdbuf();
  int c = buffer.sgetc();
  const auto advance = [&] { c = buffer.snextc(); };

  bool negative = false;
  if (c == '+' || c == '-') {
    negative = c == '-';
    advance();
  }

  // The number is text[0, digits) times 10^scale, up to the sticky digit.
  std::array<char, textCapacity> text{};
  std::size_t digits = 0;
  std::int64_t scale = 0;
  bool sticky = false;
  bool sawDigit = false;
  bool sawPoint = false;
  for (;; advance()) {
    if (isDigit(c)) {
      sawDigit = true;
      if (digits == 0 && c == '0') {
        if (sawPoint) --scale;
      } else if (digits < maxSignificantDigits) {
        text[digits++] = static_cast<char>(c);
        if (sawPoint) --scale;
      } else {
        sticky = sticky || c != '0';
        if (!sawPoint) ++scale;
      }
    } else if (c == '.' && !sawPoint) {
      sawPoint = true;
    } else {
      break;
    }
  }

  bool complete = sawDigit;
  std::int64_t exponent = 0;
  if (sawDigit && (c == 'e' || c == 'E')) {
    advance();
    bool negativeExponent = false;
    if (c == '+' || c == '-') {
      negativeExponent = c == '-';
      advance();
    }
    complete = isDigit(c);
    for (; isDigit(c); advance()) {
      if (exponent < exponentSaturation) exponent = exponent * 10 + (c - '0');
    }
    if (negativeExponent) exponent = -exponent;
  }

  std::ios_base::iostate state = std::ios_base::goodbit;
  if (c == std::char_traits<char>::eof()) state |= std::ios_base::eofbit;

  double magnitude = 0.0;
  if (complete && digits > 0) {
    if (sticky) {
      text[digits++] = '1';
      --scale;
    }
    std::int64_t total = scale + exponent;
    if (total > exponentClamp) total = exponentClamp;
    if (total < -exponentClamp) total = -exponentClamp;
    if (convert(text, digits, total, magnitude) == Conversion::overflow) {
      complete = false;
    }
  }

  if (complete) {
    value = negative ? -magnitude : magnitude;
  } else {
    state |= std::ios_base::failbit;
  }
  in.setstate(state);
  return in;
}
