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
  std::uint64_t bits = 0;  // the value's bit pattern; 0 when failed
  std::string rest;        // what the reading left in the input
};

template <typename Read>
Reading readWith(const std::string& input, Read read) {
  std::istringstream in(input);
  double value = 0.0;
  read(in, value);
  Reading reading;
  reading.failed = in.fail();
  reading.eof = in.eof();
  if (!reading.failed) std::memcpy(&reading.bits, &value, sizeof value);
  in.clear();
  reading.rest.assign(std::istreambuf_iterator<char>(in), {});
  return reading;
}

#endif  // FUEL_ECONOMY_READ_PROBE_H_
