#include "dialogue.h"

#include "number_reader.h"

void runDialogue(std::istream& in, std::ostream& out) {
  // A failed reading supplies no value, so every reading starts defined.
  double gasGallons = 0.0;
  double mileageStart = 0.0;
  double mileageEnd = 0.0;

  out << "Enter the amount of gasoline expended, in gallons: ";
  readNumber(in, gasGallons);
  out << "Enter the odometer's initial mileage reading: ";
  readNumber(in, mileageStart);
  out << "Enter the odometer's end mileage reading: ";
  readNumber(in, mileageEnd);

  const double milesTraveled = mileageEnd - mileageStart;

  // The stream stays failed after any failed reading, so one test here covers
  // all three; without it a failed reading's leftover could pass for data.
  if (!in.fail() && milesTraveled > 0 && gasGallons > 0) {
    const double milesPerGallon = milesTraveled / gasGallons;
    out << "\nMiles traveled per gallon of gasoline: " << milesPerGallon;
    // Both products are rounded before the division; this is deliberately
    // not milesPerGallon times a combined factor.
    const double kilometersPerLiter =
        (milesTraveled * kilometersPerMile) / (gasGallons * litersPerGallon);
    out << "\nKilometers traveled per liter of gasoline: " << kilometersPerLiter
        << "\n\n";
  } else {
    out << "\nSome of the data provided is invalid.\n"
           "Please restart the program and correct any faults.\n\n";
  }
}
