// The dialogue on a real pseudo-terminal, as a person sees it: each prompt is
// on the screen before the program waits, and nothing waits once a reading
// has failed.

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#if defined(FUEL_ECONOMY_HAVE_PTY_H)
#include <pty.h>
#elif defined(FUEL_ECONOMY_HAVE_UTIL_H)
#include <util.h>
#elif defined(FUEL_ECONOMY_HAVE_LIBUTIL_H)
#include <libutil.h>
#endif

#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "expected_output.h"
#include "process.h"

namespace {

using Clock = std::chrono::steady_clock;

// Generous, for slow builds under sanitizers or valgrind.
constexpr auto patience = std::chrono::seconds(10);

using expected::prompt1;
using expected::prompt2;
using expected::prompt3;

// The endings of a run as the terminal shows them, line feeds as CR LF.
const std::string resultsScreen =
    "\r\n"
    "Miles traveled per gallon of gasoline: 30\r\n"
    "Kilometers traveled per liter of gasoline: 12.7043\r\n"
    "\r\n";
const std::string invalidScreen =
    "\r\n"
    "Some of the data provided is invalid.\r\n"
    "Please restart the program and correct any faults.\r\n"
    "\r\n";

// The program on the child side of a pseudo-terminal in its default modes
// (canonical, echoing, CR typed as Enter becomes a line feed, output line
// feeds shown as CR LF).
class PseudoTerminal {
 public:
  PseudoTerminal() {
    std::vector<std::string> command = programCommand();
    const std::vector<char*> argv = execArguments(command);
    child_ = forkpty(&master_, nullptr, nullptr, nullptr);
    if (child_ == 0) {
      execvp(argv[0], argv.data());
      _exit(127);
    }
  }
  ~PseudoTerminal() {
    if (child_ > 0 && !ended_) {
      kill(child_, SIGKILL);
      waitpid(child_, nullptr, 0);
    }
    if (master_ >= 0) close(master_);
  }
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  bool started() const { return child_ > 0; }
  const std::string& screen() const { return screen_; }

  // Reads until the screen shows exactly `wanted`; false if more or other
  // text arrives, or nothing more does in time.
  bool shows(const std::string& wanted) {
    const auto deadline = Clock::now() + patience;
    while (screen_.size() < wanted.size() &&
           wanted.compare(0, screen_.size(), screen_) == 0) {
      if (!readSome(deadline)) break;
    }
    return screen_ == wanted;
  }

  // True while the program has not ended: it is blocked on a reading.
  bool waiting() const {
    int status = 0;
    return waitpid(child_, &status, WNOHANG) == 0;
  }

  void type(const std::string& keys) {
    ASSERT_EQ(write(master_, keys.data(), keys.size()),
              static_cast<ssize_t>(keys.size()));
  }

  // Reads the rest of the screen without typing anything more; returns the
  // exit status, or -1 if the program did not end in time or by exiting.
  int end() {
    const auto deadline = Clock::now() + patience;
    while (readSome(deadline)) {
    }
    int status = 0;
    while (Clock::now() < deadline) {
      if (waitpid(child_, &status, WNOHANG) == child_) {
        ended_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      }
      poll(nullptr, 0, 10);
    }
    return -1;
  }

 private:
  bool readSome(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - Clock::now());
    if (left.count() <= 0) return false;
    pollfd ready{master_, POLLIN, 0};
    if (poll(&ready, 1, static_cast<int>(left.count())) <= 0) return false;
    char chunk[512];
    const ssize_t got = read(master_, chunk, sizeof chunk);
    if (got <= 0) return false;  // EIO once the program has closed its side
    screen_.append(chunk, static_cast<std::size_t>(got));
    return true;
  }

  int master_ = -1;
  pid_t child_ = -1;
  bool ended_ = false;
  std::string screen_;
};

// A Windows program writes its own CR LF and its console is not a terminal
// device, so what these tests check does not apply to it. Some build
// sandboxes have no pseudo-terminals at all; there the tests cannot run.
class Terminal : public testing::Test {
 protected:
  void SetUp() override {
    if (programWritesCrLf()) {
      GTEST_SKIP() << "a Windows program has no pseudo-terminal to run on";
    }
    int master = -1;
    int child = -1;
    if (openpty(&master, &child, nullptr, nullptr, nullptr) != 0) {
      GTEST_SKIP() << "no pseudo-terminal can be opened here: "
                   << std::strerror(errno);
    }
    close(master);
    close(child);
  }
};

TEST_F(Terminal, EachPromptIsShownBeforeTheProgramWaits) {
  PseudoTerminal terminal;
  ASSERT_TRUE(terminal.started());

  std::string shown = prompt1;
  ASSERT_TRUE(terminal.shows(shown)) << terminal.screen();
  EXPECT_TRUE(terminal.waiting());

  terminal.type("10\r");
  shown += "10\r\n" + prompt2;
  ASSERT_TRUE(terminal.shows(shown)) << terminal.screen();
  EXPECT_TRUE(terminal.waiting());

  terminal.type("1000\r");
  shown += "1000\r\n" + prompt3;
  ASSERT_TRUE(terminal.shows(shown)) << terminal.screen();
  EXPECT_TRUE(terminal.waiting());

  terminal.type("1300\r");
  EXPECT_EQ(terminal.end(), 0);
  EXPECT_EQ(terminal.screen(), shown + "1300\r\n" + resultsScreen);
}

TEST_F(Terminal, FailedFirstReadingEndsWithoutWaiting) {
  PseudoTerminal terminal;
  ASSERT_TRUE(terminal.started());
  ASSERT_TRUE(terminal.shows(prompt1)) << terminal.screen();

  terminal.type("abc\r");
  EXPECT_EQ(terminal.end(), 0);
  EXPECT_EQ(terminal.screen(),
            prompt1 + "abc\r\n" + prompt2 + prompt3 + invalidScreen);
}

TEST_F(Terminal, ReadingsOnOneLineNeedNoFurtherWait) {
  PseudoTerminal terminal;
  ASSERT_TRUE(terminal.started());
  ASSERT_TRUE(terminal.shows(prompt1)) << terminal.screen();

  terminal.type("10 1000 1300\r");
  EXPECT_EQ(terminal.end(), 0);
  EXPECT_EQ(terminal.screen(),
            prompt1 + "10 1000 1300\r\n" + prompt2 + prompt3 + resultsScreen);
}

TEST_F(Terminal, EndOfInputAtFirstPromptEndsTheRun) {
  PseudoTerminal terminal;
  ASSERT_TRUE(terminal.started());
  ASSERT_TRUE(terminal.shows(prompt1)) << terminal.screen();

  terminal.type("\x04");  // Ctrl-D on an empty line
  EXPECT_EQ(terminal.end(), 0);
  EXPECT_EQ(terminal.screen(), prompt1 + prompt2 + prompt3 + invalidScreen);
}

}  // namespace
