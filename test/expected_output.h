#ifndef FUEL_ECONOMY_EXPECTED_OUTPUT_H_
#define FUEL_ECONOMY_EXPECTED_OUTPUT_H_

// The program's texts as its tests expect them, written out here rather than
// taken from the code under test.

#include <string>

namespace expected {

const std::string prompt1 =
    "Enter the amount of gasoline expended, in gallons: ";
const std::string prompt2 = "Enter the odometer's initial mileage reading: ";
const std::string prompt3 = "Enter the odometer's end mileage reading: ";
const std::string prompts = prompt1 + prompt2 + prompt3;

const std::string milesLabel = "\nMiles traveled per gallon of gasoline: ";
const std::string kilometersLabel =
    "\nKilometers traveled per liter of gasoline: ";
const std::string invalidMessage =
    "\nSome of the data provided is invalid.\n"
    "Please restart the program and correct any faults.\n\n";

// A whole run's output on each path.
inline std::string results(const std::string& milesPerGallon,
                           const std::string& kilometersPerLiter) {
  return prompts + milesLabel + milesPerGallon + kilometersLabel +
         kilometersPerLiter + "\n\n";
}
const std::string invalid = prompts + invalidMessage;

}  // namespace expected

#endif  // FUEL_ECONOMY_EXPECTED_OUTPUT_H_
