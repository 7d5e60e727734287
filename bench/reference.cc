// The same dialogue reading with the standard extraction, std::cin >> value:
// what huge tokens cost when the whole token is kept in memory.
#include <iostream>

int main() {
  const double kilometersPerMile = 1.6025641025641026;
  const double litersPerGallon = 3.7842951750236522;
  double gasGallons = 0.0;
  double mileageStart = 0.0;
  double mileageEnd = 0.0;

  std::cout << "Enter the amount of gasoline expended, in gallons: ";
  std::cin >> gasGallons;
  std::cout << "Enter the odometer's initial mileage reading: ";
  std::cin >> mileageStart;
  std::cout << "Enter the odometer's end mileage reading: ";
  std::cin >> mileageEnd;

  const double milesTraveled = mileageEnd - mileageStart;
  if (std::cin && milesTraveled > 0 && gasGallons > 0) {
    std::cout << "\nMiles traveled per gallon of gasoline: "
              << milesTraveled / gasGallons
              << "\nKilometers traveled per liter of gasoline: "
              << (milesTraveled * kilometersPerMile) /
                     (gasGallons * litersPerGallon)
              << "\n\n";
  } else {
    std::cout << "\nSome of the data provided is invalid.\n"
                 "Please restart the program and correct any faults.\n\n";
  }
  return 0;
}
