#include "process.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <sstream>
#include <stdexcept>

std::vector<std::string> programCommand() {
  const char* emulator = std::getenv("FUEL_ECONOMY_EMULATOR");
  std::istringstream words(emulator != nullptr ? emulator
                                               : FUEL_ECONOMY_DEFAULT_EMULATOR);
  std::vector<std::string> command(std::istream_iterator<std::string>(words),
                                   {});
  const char* binary = std::getenv("FUEL_ECONOMY_BINARY");
  command.emplace_back(binary != nullptr && *binary != '\0'
                           ? binary
                           : FUEL_ECONOMY_DEFAULT_BINARY);
  return command;
}

std::vector<char*> execArguments(std::vector<std::string>& words) {
  std::vector<char*> pointers;
  pointers.reserve(words.size() + 1);
  for (std::string& word : words) pointers.push_back(word.data());
  pointers.push_back(nullptr);
  return pointers;
}

bool programSeesClosedStreams() {
  const std::string start = programCommand().front();
  const std::string name = start.substr(start.find_last_of('/') + 1);
  return name != "node" && name != "nodejs";
}

bool programObeysFileSizeLimit() {
  // A program that ends its lines with CR LF is a Windows program.
  return !programWritesCrLf();
}

bool programWritesCrLf() {
  const char* lineEnd = std::getenv("FUEL_ECONOMY_LINE_END");
  return std::string(lineEnd != nullptr
                         ? lineEnd
                         : FUEL_ECONOMY_DEFAULT_LINE_END) == "crlf";
}

std::string inProgramLineEnds(const std::string& text) {
  if (!programWritesCrLf()) return text;
  std::string converted;
  for (const char c : text) {
    if (c == '\n') converted += '\r';
    converted += c;
  }
  return converted;
}

namespace {

// Bounds on a run under test, so that a program that loops, writing or not
// (fed by `yes`, say), fails its test instead of filling the disk or hanging.
constexpr std::size_t outputLimitBytes = 16 << 20;
constexpr rlim_t cpuLimitSeconds = 20;

struct File {
  std::FILE* handle = std::tmpfile();
  File() {
    if (handle == nullptr) throw std::runtime_error("tmpfile failed");
  }
  ~File() { std::fclose(handle); }
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  int descriptor() const { return fileno(handle); }
  std::string contents() const {
    std::rewind(handle);
    std::string text;
    char chunk[4096];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, handle)) > 0) {
      text.append(chunk, got);
    }
    return text;
  }
};

// Runs `argv` with `input` as its standard input and its standard output and
// error in files, so that nothing can block on a full pipe. No file may grow
// past `fileLimit` bytes: a write beyond it fails with EFBIG.
Outcome run(const std::string& input, std::vector<std::string> argv,
            std::size_t fileLimit = outputLimitBytes) {
  File in;
  File out;
  File errors;
  if (std::fwrite(input.data(), 1, input.size(), in.handle) != input.size() ||
      std::fflush(in.handle) != 0 || std::fseek(in.handle, 0, SEEK_SET) != 0) {
    throw std::runtime_error("cannot write the program's input");
  }

  std::vector<char*> pointers = execArguments(argv);

  const pid_t child = fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    const rlimit output{static_cast<rlim_t>(fileLimit),
                        static_cast<rlim_t>(fileLimit)};
    const rlimit cpu{cpuLimitSeconds, cpuLimitSeconds};
    setrlimit(RLIMIT_FSIZE, &output);
    // Ignored, SIGXFSZ turns a write past the limit into a failed write
    // that the program sees, as a full disk does, instead of killing it.
    std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_CPU, &cpu);
    dup2(in.descriptor(), STDIN_FILENO);
    dup2(out.descriptor(), STDOUT_FILENO);
    dup2(errors.descriptor(), STDERR_FILENO);
    execvp(pointers[0], pointers.data());
    _exit(127);
  }

  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  Outcome outcome;
  outcome.exited = WIFEXITED(status);
  outcome.exitStatus = outcome.exited ? WEXITSTATUS(status) : -1;

  outcome.output = out.contents();
  outcome.errors = errors.contents();
  return outcome;
}

}  // namespace

Outcome runProgram(const std::string& input,
                   const std::vector<std::string>& arguments) {
  std::vector<std::string> argv = programCommand();
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return run(input, argv);
}

Outcome runWithRoomFor(std::size_t bytes, const std::string& input) {
  return run(input, programCommand(), bytes);
}

Outcome runShell(const std::string& script) {
  std::vector<std::string> argv = {"/bin/sh", "-c", script, "sh"};
  const std::vector<std::string> command = programCommand();
  argv.insert(argv.end(), command.begin(), command.end());
  return run("", argv);
}
