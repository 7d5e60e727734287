#include <iostream>

#include "dialogue.h"

// Command-line arguments are ignored: the program is the dialogue alone, and
// every path, invalid data included, ends with status 0.
int main() {
  runDialogue(std::cin, std::cout);
  return 0;
}
