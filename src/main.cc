#include <cstring>
#include <iostream>
#include <string>

#include "dialogue.h"
#include "output_errors.h"

// Command-line arguments are ignored: the program is the dialogue alone, and
// every path whose output was written, invalid data included, ends with
// status 0. Output that could not be written is reported, with status 1.
int main() {
  // Nothing here uses C stdio, so the streams need not keep in step with it;
  // on their own they read in blocks instead of a character at a time, which
  // is what makes a huge token cheap.
  std::ios_base::sync_with_stdio(false);

  OutputErrors output(std::cout.rdbuf());
  std::ostream out(&output);
  // Each prompt is flushed before a reading waits.
  std::cin.tie(&out);
  runDialogue(std::cin, out);
  // The last text is still in std::cout's buffer; flushed at exit, a failure
  // to write it would go unseen.
  out.flush();
  // No stream is left tied to `out` once it is gone.
  std::cin.tie(&std::cout);

  if (output.firstError() != 0) {
    std::cerr << "fuel-economy: write error: " +
                     std::string(std::strerror(output.firstError())) + "\n";
    return 1;
  }
  return 0;
}
