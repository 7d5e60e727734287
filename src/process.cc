#include "process.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

std::string programPath() {
  const char* fromEnvironment = std::getenv("FUEL_ECONOMY_BINARY");
  return fromEnvironment != nullptr && *fromEnvironment != '\0'
             ? fromEnvironment
             : FUEL_ECONOMY_DEFAULT_BINARY;
}

namespace {

struct File {
  std::FILE* handle = std::tmpfile();
  File() {
    if (handle == nullptr) throw std::runtime_error("tmpfile failed");
  }
  ~File() { std::fclose(handle); }
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  int descriptor() const { return fileno(handle); }
};

}  // namespace

Outcome runProgram(const std::string& input,
                   const std::vector<std::string>& arguments) {
  File in;
  File out;
  if (std::fwrite(input.data(), 1, input.size(), in.handle) != input.size() ||
      std::fflush(in.handle) != 0 || std::fseek(in.handle, 0, SEEK_SET) != 0) {
    throw std::runtime_error("cannot write the program's input");
  }

  const std::string path = programPath();
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(path.c_str()));
  for (const std::string& argument : arguments) {
    argv.push_back(const_cast<char*>(argument.c_str()));
  }
  argv.push_back(nullptr);

  const pid_t child = fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    dup2(in.descriptor(), STDIN_FILENO);
    dup2(out.descriptor(), STDOUT_FILENO);
    execv(path.c_str(), argv.data());
    _exit(127);
  }

  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  Outcome outcome;
  outcome.exited = WIFEXITED(status);
  outcome.exitStatus = outcome.exited ? WEXITSTATUS(status) : -1;

  std::rewind(out.handle);
  char chunk[4096];
  std::size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, out.handle)) > 0) {
    outcome.output.append(chunk, got);
  }
  return outcome;
}
