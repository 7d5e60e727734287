#include <iostream>

#include "dialogue.h"

// Command-line arguments are ignored: the program is the dialogue alone, and
// every path, invalid data included, ends with status 0.
int main() {
  // Nothing here uses C stdio, so the streams need not keep in step with it;
  // on their own they read in blocks instead of a character at a time, which
  // is what makes a huge token cheap. std::cin stays tied to std::cout, so
  // each prompt is still flushed before a reading waits.
  std::ios_base::sync_with_stdio(false);
  runDialogue(std::cin, std::cout);
  return 0;
}
