#ifndef FUEL_ECONOMY_PROCESS_H_
#define FUEL_ECONOMY_PROCESS_H_

// Helpers for tests that run the built program as a separate process.

#include <string>
#include <vector>

// The program under test: $FUEL_ECONOMY_BINARY when set, so that the same
// tests can check another build, else the one built beside the tests.
std::string programPath();

struct Outcome {
  std::string output;   // all bytes written to standard output
  bool exited = false;  // false when it died of a signal
  int exitStatus = -1;
};

// Runs the program with `input` as its whole standard input (a regular file,
// so nothing can block) and `arguments` after its name.
Outcome runProgram(const std::string& input,
                   const std::vector<std::string>& arguments = {});

// Runs `script` with /bin/sh, the program's path as $0 and an empty standard
// input, for the streams a shell can set up: closed, devices, pipes.
Outcome runShell(const std::string& script);

#endif  // FUEL_ECONOMY_PROCESS_H_
