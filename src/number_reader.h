#ifndef FUEL_ECONOMY_NUMBER_READER_H_
#define FUEL_ECONOMY_NUMBER_READER_H_

#include <istream>

/// Reads one decimal number from `in` into `value`.
///
/// Grammar and consumption are those of formatted extraction of a double in
/// the classic locale as libstdc++ does it, fixed here so that every standard
/// library gives the same result:
///   - a sentry skips leading white space and flushes `in.tie()` first;
///   - then an optional sign, digits with at most one decimal point, and, once
///     a digit has been seen, an optional exponent: e or E, an optional sign,
///     digits;
///   - every character taken in is consumed; the first one that cannot
///     continue the number stays in the input.
///
/// The reading fails (failbit) when what was taken in has no digit (nothing,
/// a lone sign, a lone point), when an exponent letter has no digits after
/// it, when the value rounds beyond the largest double, or when the input has
/// ended. A failed reading leaves `value` unchanged; a stream that is already
/// failed consumes nothing. eofbit is set whenever the end of input was met.
///
/// The value is the correctly rounded double (to nearest, ties to even) of
/// the whole decimal, however long. Subnormal results are kept and results
/// below the smallest subnormal become a signed zero. Memory is constant:
/// nothing is allocated, whatever the length of the token.
std::istream& readNumber(std::istream& in, double& value);

#endif  // FUEL_ECONOMY_NUMBER_READER_H_
