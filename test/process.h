#ifndef FUEL_ECONOMY_PROCESS_H_
#define FUEL_ECONOMY_PROCESS_H_

// Helpers for tests that run the built program as a separate process.

#include <cstddef>
#include <string>
#include <vector>

// The command that starts the program under test: the emulator, if any, then
// the program. The program is $FUEL_ECONOMY_BINARY when set, so that the same
// tests can check another build, else the one they were built for. The
// emulator, words separated by blanks, is $FUEL_ECONOMY_EMULATOR when set
// (empty: none), else the build's, as for a program built for another system.
std::vector<std::string> programCommand();

// True when the program ends its lines with CR LF, as a Windows program
// does: $FUEL_ECONOMY_LINE_END, or else the build's setting, is crlf.
bool programWritesCrLf();

// False where the program runs behind Node, which opens /dev/null in place
// of a closed standard stream before the program starts.
bool programSeesClosedStreams();

// `text` with each "\n" written as the program writes a line end.
std::string inProgramLineEnds(const std::string& text);

// `words` as the null-terminated array that exec takes; it points into
// `words`, which must outlive it.
std::vector<char*> execArguments(std::vector<std::string>& words);

struct Outcome {
  std::string output;   // all bytes written to standard output
  std::string errors;   // all bytes written to standard error
  bool exited = false;  // false when it died of a signal
  int exitStatus = -1;
};

// Runs the program with `input` as its whole standard input (a regular file,
// so nothing can block) and `arguments` after its name.
Outcome runProgram(const std::string& input,
                   const std::vector<std::string>& arguments = {});

// Runs the program as runProgram does, with room for only `bytes` bytes in
// each file it writes, standard output included; a write past that fails
// with EFBIG, as on a disk that fills up at that point.
Outcome runWithRoomFor(std::size_t bytes, const std::string& input);

// False where the program cannot be held to a file-size limit: on Windows,
// which has none (and whose emulator writes files of its own).
bool programObeysFileSizeLimit();

// Runs `script` with /bin/sh, the program's command as "$@" and an empty
// standard input, for the streams a shell can set up: closed, devices, pipes.
Outcome runShell(const std::string& script);

#endif  // FUEL_ECONOMY_PROCESS_H_
