#include "output_errors.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

// Takes `room` characters, then fails every write and flush with `error` in
// errno, as a full disk or a closed descriptor does. With `error` 0 it fails
// without a reason: errno is left as it was.
class FailingBuffer : public std::streambuf {
 public:
  FailingBuffer(std::size_t room, int failWith)
      : error(failWith), room_(room) {}
  int error;
  std::string taken;

 protected:
  int_type overflow(int_type c) override {
    if (taken.size() < room_) {
      taken += traits_type::to_char_type(c);
      return c;
    }
    fail();
    return traits_type::eof();
  }
  int sync() override {
    if (taken.size() < room_) return 0;
    fail();
    return -1;
  }

 private:
  void fail() const {
    if (error != 0) errno = error;
  }
  std::size_t room_;
};

TEST(OutputErrors, PassesEverythingOnWhileWritesSucceed) {
  FailingBuffer target(100, ENOSPC);
  OutputErrors output(&target);
  std::ostream out(&output);
  out << "Miles: " << 30 << '\n' << std::flush;
  EXPECT_EQ(target.taken, "Miles: 30\n");
  EXPECT_TRUE(out.good());
  EXPECT_EQ(output.firstError(), 0);
}

TEST(OutputErrors, KeepsTheReasonOfTheFirstFailure) {
  FailingBuffer target(4, ENOSPC);
  OutputErrors output(&target);
  std::ostream out(&output);
  out << "Enter: ";
  EXPECT_TRUE(out.bad());
  EXPECT_EQ(target.taken, "Ente");
  // Neither a later failure nor what other calls do to errno meanwhile
  // changes the reason.
  target.error = EBADF;
  errno = ENOTTY;
  out.clear();
  out << "more" << std::flush;
  EXPECT_EQ(output.firstError(), ENOSPC);
}

TEST(OutputErrors, FailedFlushIsAFailure) {
  FailingBuffer target(0, EBADF);
  OutputErrors output(&target);
  std::ostream out(&output);
  out.flush();
  EXPECT_TRUE(out.bad());
  EXPECT_EQ(output.firstError(), EBADF);
}

// Whichever way the text goes, a failure that gives no reason is not
// blamed on whatever errno held before.
TEST(OutputErrors, FailureWithoutAReasonIsAnInputOutputError) {
  const std::vector<std::pair<const char*, void (*)(std::ostream&)>> ways = {
      {"a character", [](std::ostream& out) { out << 'x'; }},
      {"a text", [](std::ostream& out) { out << "text"; }},
      {"a flush", [](std::ostream& out) { out.flush(); }},
  };
  for (const auto& [way, write] : ways) {
    FailingBuffer target(0, 0);
    OutputErrors output(&target);
    std::ostream out(&output);
    errno = ENOTTY;
    write(out);
    EXPECT_EQ(output.firstError(), EIO) << way;
  }
}

}  // namespace
