#include "dialogue.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace {

std::uint64_t bitsOf(double value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

TEST(ConversionFactors, AreTheQuotientsBitForBit) {
  EXPECT_EQ(bitsOf(kilometersPerMile), 0x3FF9A41A41A41A42U);
  EXPECT_EQ(bitsOf(litersPerGallon), 0x400E463C8C7918F3U);
  volatile double one = 1.0;  // computed at run time, not folded
  EXPECT_EQ(kilometersPerMile, one / 0.624);
  EXPECT_EQ(litersPerGallon, one / 0.26425);
}

}  // namespace
