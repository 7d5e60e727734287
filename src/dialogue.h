#ifndef FUEL_ECONOMY_DIALOGUE_H_
#define FUEL_ECONOMY_DIALOGUE_H_

#include <istream>
#include <ostream>

#include "ieee_double.h"

// The program's own conversion factors, kept exactly as they are: 1 / 0.624
// and 1 / 0.26425 in double arithmetic, not the international mile or the US
// gallon.
inline constexpr double kilometersPerMile = 1.6025641025641026;
inline constexpr double litersPerGallon = 3.7842951750236522;

/// Asks for the gasoline used and the odometer's readings at the start and
/// end of a trip, and writes the trip's miles per gallon and kilometres per
/// litre, or a message that the data is invalid. Prompts are on `out` before
/// each reading waits as long as `in` is tied to `out`, as std::cin is to
/// std::cout.
void runDialogue(std::istream& in, std::ostream& out);

#endif  // FUEL_ECONOMY_DIALOGUE_H_
