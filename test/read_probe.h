#ifndef FUEL_ECONOMY_READ_PROBE_H_
#define FUEL_ECONOMY_READ_PROBE_H_

// For tests: what one reading of a double from a string gives, in a form
// that compares exactly between two readers.

#include <cstdint>
#include <cstring>
#include <iterator>
#include <sstream>
#include <string>

struct Reading {
  bool failed = false;
  bool eof = false;
  bool bad = false;
  std::uint64_t bits = 0;  // the value's bit pattern; 0 when failed
  bool valueKept = false;  // the variable still holds what it held before
  std::string rest;        // what the reading left in the input
};

// The variable read into starts as a NaN that no reading gives, so that any
// write to it shows.
constexpr std::uint64_t unreadBits = 0x7FF8'0000'DEAD'BEEF;

template <typename Read>
Reading readWith(const std::string& input, Read read) {
  std::istringstream in(input);
  double value = 0.0;
  std::memcpy(&value, &unreadBits, sizeof value);
  read(in, value);
  std::uint64_t after = 0;
  std::memcpy(&after, &value, sizeof value);
  Reading reading;
  reading.failed = in.fail();
  reading.eof = in.eof();
  reading.bad = in.bad();
  reading.valueKept = after == unreadBits;
  if (!reading.failed) reading.bits = after;
  in.clear();
  reading.rest.assign(std::istreambuf_iterator<char>(in), {});
  return reading;
}

#endif  // FUEL_ECONOMY_READ_PROBE_H_
