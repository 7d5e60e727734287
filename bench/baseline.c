/* The same dialogue in plain C stdio: the cost floor a C++ program of this
   size is compared with. */
#include <stdio.h>

int main(void) {
  const double kilometersPerMile = 1.6025641025641026;
  const double litersPerGallon = 3.7842951750236522;
  double gasGallons = 0.0;
  double mileageStart = 0.0;
  double mileageEnd = 0.0;
  int readings = 0;

  fputs("Enter the amount of gasoline expended, in gallons: ", stdout);
  fflush(stdout);
  readings += scanf("%lf", &gasGallons) == 1;
  fputs("Enter the odometer's initial mileage reading: ", stdout);
  fflush(stdout);
  readings += scanf("%lf", &mileageStart) == 1;
  fputs("Enter the odometer's end mileage reading: ", stdout);
  fflush(stdout);
  readings += scanf("%lf", &mileageEnd) == 1;

  const double milesTraveled = mileageEnd - mileageStart;
  if (readings == 3 && milesTraveled > 0 && gasGallons > 0) {
    printf("\nMiles traveled per gallon of gasoline: %g",
           milesTraveled / gasGallons);
    printf("\nKilometers traveled per liter of gasoline: %g\n\n",
           (milesTraveled * kilometersPerMile) /
               (gasGallons * litersPerGallon));
  } else {
    fputs("\nSome of the data provided is invalid.\n"
          "Please restart the program and correct any faults.\n\n",
          stdout);
  }
  return 0;
}
