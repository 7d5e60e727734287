#ifndef FUEL_ECONOMY_EXACT_DECIMAL_H_
#define FUEL_ECONOMY_EXACT_DECIMAL_H_

// For tests: whether a double is the correctly rounded value of a decimal,
// decided with exact integer arithmetic, so that the answer depends on no
// standard library's conversion. Slow and simple on purpose.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

// A non-negative integer of any size, in base 2^32, least significant first.
class BigNumber {
 public:
  explicit BigNumber(std::uint64_t value = 0) {
    for (; value > 0; value >>= 32) {
      limbs_.push_back(static_cast<std::uint32_t>(value));
    }
  }

  // The integer that a string of decimal digits writes, nine at a time.
  static BigNumber fromDigits(const std::string& digits) {
    BigNumber number;
    std::size_t at = 0;
    while (at < digits.size()) {
      std::uint32_t factor = 1;
      std::uint32_t chunk = 0;
      for (int i = 0; i < 9 && at < digits.size(); ++i, ++at) {
        factor *= 10;
        chunk = chunk * 10 + static_cast<std::uint32_t>(digits[at] - '0');
      }
      number.multiplyAdd(factor, chunk);
    }
    return number;
  }

  BigNumber& multiplyAdd(std::uint32_t factor, std::uint32_t addend = 0) {
    std::uint64_t carry = addend;
    for (std::uint32_t& limb : limbs_) {
      const std::uint64_t product = std::uint64_t{limb} * factor + carry;
      limb = static_cast<std::uint32_t>(product);
      carry = product >> 32;
    }
    if (carry > 0) limbs_.push_back(static_cast<std::uint32_t>(carry));
    trim();
    return *this;
  }

  BigNumber& timesPowerOfFive(std::int64_t count) {
    constexpr std::uint32_t fiveToThe13 = 1220703125;  // the largest in 32 bits
    for (; count >= 13; count -= 13) multiplyAdd(fiveToThe13);
    for (; count > 0; --count) multiplyAdd(5);
    return *this;
  }

  BigNumber& timesPowerOfTwo(std::int64_t count) {
    if (limbs_.empty()) return *this;
    limbs_.insert(limbs_.begin(), static_cast<std::size_t>(count / 32), 0);
    const auto bits = static_cast<unsigned>(count % 32);
    if (bits > 0) multiplyAdd(std::uint32_t{1} << bits);
    return *this;
  }

  std::int64_t bitLength() const {
    if (limbs_.empty()) return 0;
    std::int64_t length = 32 * static_cast<std::int64_t>(limbs_.size() - 1);
    for (std::uint32_t top = limbs_.back(); top > 0; top >>= 1) ++length;
    return length;
  }

  // The decimal digits, most significant first; "0" for zero.
  std::string digits() const {
    std::vector<std::uint32_t> rest = limbs_;
    std::string text;
    while (!rest.empty()) {
      std::uint64_t remainder = 0;
      for (auto it = rest.rbegin(); it != rest.rend(); ++it) {
        const std::uint64_t part = (remainder << 32) | *it;
        *it = static_cast<std::uint32_t>(part / 10);
        remainder = part % 10;
      }
      text.insert(text.begin(), static_cast<char>('0' + remainder));
      while (!rest.empty() && rest.back() == 0) rest.pop_back();
    }
    return text.empty() ? "0" : text;
  }

  friend int compare(const BigNumber& a, const BigNumber& b) {
    if (a.limbs_.size() != b.limbs_.size()) {
      return a.limbs_.size() < b.limbs_.size() ? -1 : 1;
    }
    for (std::size_t i = a.limbs_.size(); i-- > 0;) {
      if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
    }
    return 0;
  }

 private:
  void trim() {
    while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
  }
  std::vector<std::uint32_t> limbs_;
};

// digits * 10^decimalExponent compared with scaled * 2^binaryExponent
// (scaled > 0): -1, 0 or 1. Both sides are made integers by moving negative
// powers across; far apart, their sizes alone decide.
inline int compareDecimalWithBinary(std::string digits,
                                    std::int64_t decimalExponent,
                                    std::uint64_t scaled,
                                    std::int64_t binaryExponent) {
  digits.erase(0, digits.find_first_not_of('0'));
  if (digits.empty()) return -1;
  BigNumber binary(scaled);
  // The power of ten of each side's leading digit, the binary one to within
  // one.
  const std::int64_t decimalSize =
      static_cast<std::int64_t>(digits.size()) - 1 + decimalExponent;
  const std::int64_t binarySize =
      (binary.bitLength() - 1 + binaryExponent) * 30103 / 100000;
  if (decimalSize > binarySize + 2) return 1;
  if (decimalSize < binarySize - 2) return -1;

  BigNumber decimal = BigNumber::fromDigits(digits);
  // 10^d = 5^d * 2^d
  if (decimalExponent >= 0) {
    decimal.timesPowerOfFive(decimalExponent);
  } else {
    binary.timesPowerOfFive(-decimalExponent);
  }
  const std::int64_t twos = decimalExponent - binaryExponent;
  if (twos >= 0) {
    decimal.timesPowerOfTwo(twos);
  } else {
    binary.timesPowerOfTwo(-twos);
  }
  return compare(decimal, binary);
}

// The neighbourhood of a positive double: the midpoints to its neighbours,
// each an integer times a power of two, and whether a tie goes to it.
struct RoundingInterval {
  std::uint64_t lowerScaled;  // lower midpoint = lowerScaled * 2^lowerExponent
  std::int64_t lowerExponent;
  std::uint64_t upperScaled;  // upper midpoint = upperScaled * 2^upperExponent
  std::int64_t upperExponent;
  bool tiesComeHere;  // the significand is even
};

inline RoundingInterval roundingInterval(double value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  const auto biased = static_cast<std::int64_t>(bits >> 52);
  std::uint64_t significand = bits & ((std::uint64_t{1} << 52) - 1);
  std::int64_t exponent = -1074;
  if (biased > 0) {
    significand |= std::uint64_t{1} << 52;
    exponent = biased - 1075;
  }
  RoundingInterval interval{};
  interval.upperScaled = 2 * significand + 1;
  interval.upperExponent = exponent - 1;
  if (significand == std::uint64_t{1} << 52 && biased > 1) {
    // A power of two: the double below is half as far away.
    interval.lowerScaled = 4 * significand - 1;
    interval.lowerExponent = exponent - 2;
  } else {
    interval.lowerScaled = 2 * significand - 1;
    interval.lowerExponent = exponent - 1;
  }
  interval.tiesComeHere = significand % 2 == 0;
  return interval;
}

// True when `magnitude`, a finite non-negative double, is digits *
// 10^decimalExponent rounded to nearest with ties to even.
inline bool isCorrectlyRounded(const std::string& digits,
                               std::int64_t decimalExponent, double magnitude) {
  if (magnitude == 0.0) {
    // At most half the smallest subnormal, 2^-1075, which ties to zero.
    return compareDecimalWithBinary(digits, decimalExponent, 1, -1075) <= 0;
  }
  const RoundingInterval interval = roundingInterval(magnitude);
  const int below = compareDecimalWithBinary(
      digits, decimalExponent, interval.lowerScaled, interval.lowerExponent);
  const int above = compareDecimalWithBinary(
      digits, decimalExponent, interval.upperScaled, interval.upperExponent);
  if (below < 0 || above > 0) return false;
  return (below > 0 && above < 0) || interval.tiesComeHere;
}

// True when digits * 10^decimalExponent rounds beyond the largest double:
// it reaches the midpoint between that and 2^1024, (2^54 - 1) * 2^970,
// which ties up to 2^1024.
inline bool overflowsDouble(const std::string& digits,
                            std::int64_t decimalExponent) {
  return compareDecimalWithBinary(digits, decimalExponent,
                                  (std::uint64_t{1} << 54) - 1, 970) >= 0;
}

// The exact decimal of scaled * 2^binaryExponent, as digits times
// 10^exponent.
struct Decimal {
  std::string digits;
  std::int64_t exponent;
};
inline Decimal exactDecimal(std::uint64_t scaled, std::int64_t binaryExponent) {
  BigNumber number(scaled);
  if (binaryExponent >= 0) {
    return {number.timesPowerOfTwo(binaryExponent).digits(), 0};
  }
  // 2^-k = 5^k * 10^-k
  return {number.timesPowerOfFive(-binaryExponent).digits(), binaryExponent};
}

#endif  // FUEL_ECONOMY_EXACT_DECIMAL_H_
