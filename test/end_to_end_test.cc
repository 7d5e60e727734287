// The built program as a user runs it: bytes on standard input, exact bytes
// on standard output, nothing on standard error and exit status 0 on every
// path whose output was written.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expected_output.h"
#include "process.h"

namespace {

using expected::invalid;
using expected::results;

// What every run whose output can be written must do: write exactly
// `output`, with the program's own line ends, say nothing on standard error
// and exit with status 0.
void expectExactRun(const Outcome& outcome, const std::string& output) {
  EXPECT_EQ(outcome.output, inProgramLineEnds(output));
  EXPECT_EQ(outcome.errors, "");
  EXPECT_TRUE(outcome.exited);
  EXPECT_EQ(outcome.exitStatus, 0);
}

struct Case {
  std::string name;
  std::string input;
  std::string output;
};

struct TieTrip {
  const char* gasGallons;
  const char* mileageStart;
  const char* mileageEnd;
  const char* milesPerGallon;
  const char* kilometersPerLiter;
};

// Found, and their texts worked out, with exact rational arithmetic.
const TieTrip tieTrips[] = {
#include "tie_trips.inc"
};

std::vector<Case> dialogueCases() {
  std::vector<Case> cases = {
      // Trips as typed, one reading a line.
      {"WorkedTrip", "10\n1000\n1300\n", results("30", "12.7043")},
      {"FractionalFuel", "12.5\n45210\n45600\n", results("31.2", "13.2125")},
      {"FractionalReadings", "2.5\n12000.4\n12099.9\n",
       results("39.8", "16.8544")},
      {"SixDigitResult", "7\n0\n1234567\n", results("176367", "74687.3")},
      {"OneMileOneGallon", "1\n0\n1\n", results("1", "0.423478")},
      {"NegativeStartReading", "1\n-100\n200\n", results("300", "127.043")},
      {"ExponentFuel", "1e1\n1000\n1300\n", results("30", "12.7043")},
      {"ScientificResults", "1\n0\n1e9\n", results("1e+09", "4.23478e+08")},

      // How the readings are separated and what follows them.
      {"OneLine", "10 1000 1300\n", results("30", "12.7043")},
      {"CrLfLineEnds", "10\r\n1000\r\n1300\r\n", results("30", "12.7043")},
      {"TabsAndEmptyLines", "\n\t10\n\n 1000\t\v\f1300",
       results("30", "12.7043")},
      {"NoFinalLineEnd", "10 1000 1300", results("30", "12.7043")},
      {"CommaAfterEndReading", "10 1000 1300,5\n", results("30", "12.7043")},
      {"LettersAfterEndReading", "10 1000 1300abc", results("30", "12.7043")},
      {"ExtraReadingsIgnored", "10 1000 1300 5 abc\n",
       results("30", "12.7043")},
      {"SecondExponentAfterEnd", "1 0 1e5e3\n", results("100000", "42347.8")},

      // Results beyond the largest double are written as the stream writes
      // infinity.
      {"QuotientOverflows", "1e-300 0 1e300\n", results("inf", "inf")},
      {"DistanceOverflows", "1 -1.7e308 1.7e308\n", results("inf", "inf")},
      // The overflowed distance is infinite before it is divided: a wider
      // exponent range would keep it finite and halve it.
      {"OverflowedDistanceHalved", "2 -1.7e308 1.7e308\n",
       results("inf", "inf")},
      {"SubnormalFuel", "4.9e-324 0 1\n", results("inf", "inf")},
      // Each product of the kilometres-per-litre formula is a double of its
      // own, so one of them overflowing shows, and the formula does not go
      // through miles per gallon.
      {"DistanceProductOverflows", "1e10 0 1.5e308\n",
       results("1.5e+298", "inf")},
      {"FuelProductOverflows", "1e308 0 1e300\n", results("1e-08", "0")},
      {"OnlyMilesPerGallonOverflows", "0.5 0 1e308\n",
       results("inf", "8.46955e+307")},

      // Data that reads but is unusable.
      {"EqualReadings", "3\n100\n100\n", invalid},
      {"ZeroFuel", "0\n0\n100\n", invalid},
      {"NegativeZeroFuel", "-0\n0\n100\n", invalid},
      {"NegativeFuel", "-2\n0\n100\n", invalid},
      {"EndBelowStart", "10\n300\n200\n", invalid},
      {"UnderflowingFuel", "1e-400\n0\n100\n", invalid},

      // Text that another library's extraction reads differently.
      {"CommaInFuel", "1,5\n0\n100\n", invalid},
      {"HexadecimalFuel", "0x10\n0\n100\n", invalid},
      {"InfinityFuel", "inf\n0\n100\n", invalid},
      {"NanFuel", "nan\n0\n100\n", invalid},
      {"NulByte", std::string("10\n\0\n1300\n", 10), invalid},
      {"NonAsciiDigits", "\xd9\xa1\xd9\xa0 1000 1300\n", invalid},
      {"FullwidthDigitAfterEnd", "10 1000 1300\xef\xbc\x95\n",
       results("30", "12.7043")},
  };

  // Trips whose result lies within an ulp of a six-digit rounding tie: a
  // result rounded twice, as x87 registers do, or computed in another
  // order than the formula's writes the neighbouring number.
  int tie = 0;
  for (const TieTrip& trip : tieTrips) {
    cases.push_back({"NearRoundingTie" + std::to_string(++tie),
                     std::string(trip.gasGallons) + "\n" + trip.mileageStart +
                         "\n" + trip.mileageEnd + "\n",
                     results(trip.milesPerGallon, trip.kilometersPerLiter)});
  }

  // Every kind of failed reading at each of the three prompts.
  const std::vector<std::pair<std::string, std::string>> failures = {
      {"Letters", "abc"},          {"Comma", ",5"},
      {"LoneSign", "-"},           {"LonePoint", "."},
      {"ExponentNoDigits", "12e"}, {"ExponentSignNoDigits", "12e+"},
      {"TooLarge", "1e400"},       {"TooLargeNegative", "-1.8e308"},
  };
  // With a negative start reading, a failed end reading's unset 0 would
  // still make a positive distance: only the failed stream makes it invalid.
  const std::vector<std::string> good = {"10", "-1000", "1300"};
  for (std::size_t at = 0; at < good.size(); ++at) {
    const std::string prompt = std::to_string(at + 1);
    for (const auto& [kind, text] : failures) {
      std::string input;
      for (std::size_t i = 0; i < good.size(); ++i) {
        input += i == at ? text : good[i];
        input += '\n';
      }
      cases.push_back({kind + "AtPrompt" + prompt, input, invalid});
    }
    std::string ended;
    for (std::size_t i = 0; i < at; ++i) ended += good[i] + "\n";
    cases.push_back({"EndOfInputAtPrompt" + prompt, ended, invalid});
  }
  return cases;
}

class Dialogue : public testing::TestWithParam<Case> {};

TEST_P(Dialogue, WritesExactlyAndExitsZero) {
  expectExactRun(runProgram(GetParam().input), GetParam().output);
}

INSTANTIATE_TEST_SUITE_P(EndToEnd, Dialogue, testing::ValuesIn(dialogueCases()),
                         [](const auto& test) { return test.param.name; });

TEST(EndToEnd, IgnoresArguments) {
  expectExactRun(runProgram("10 1000 1300\n", {"--help", "-v", "extra", ""}),
                 results("30", "12.7043"));
}

struct ShellCase {
  std::string name;
  std::string script;  // "$@" runs the program
  std::string output;
};

// Standard streams at their edges, set up by a shell as a user would.
const ShellCase shellCases[] = {
    {"InputClosed", "exec \"$@\" <&-", invalid},
    {"InputFromDevNull", "exec \"$@\" </dev/null", invalid},
    {"InputFromDirectory", "exec \"$@\" </", invalid},
    {"EndlessInputEndsAfterThirdReading", "yes '10 1000 1300' | \"$@\"",
     results("30", "12.7043")},
    {"EndlessEqualReadings", "yes 1 | \"$@\"", invalid},
};

class Streams : public testing::TestWithParam<ShellCase> {};

TEST_P(Streams, WritesExactlyAndExitsZero) {
  expectExactRun(runShell(GetParam().script), GetParam().output);
}

INSTANTIATE_TEST_SUITE_P(EndToEnd, Streams, testing::ValuesIn(shellCases),
                         [](const auto& test) { return test.param.name; });

struct LostOutputCase {
  std::string name;
  std::string script;  // "$@" runs the program
  std::string reason;  // strerror's text for the failed write
  bool closesOutput = false;
};

// Output that cannot be written is reported once, on standard error, with
// the system's reason, and the status is 1, on either path.
const LostOutputCase lostOutputCases[] = {
    {"ResultsToFullDevice", "echo 10 1000 1300 | \"$@\" >/dev/full",
     "No space left on device"},
    {"InvalidDataToFullDevice", "echo 3 100 100 | \"$@\" >/dev/full",
     "No space left on device"},
    {"ResultsToClosedOutput", "echo 10 1000 1300 | \"$@\" >&-",
     "Bad file descriptor", true},
    {"InvalidDataToClosedOutput", "echo 1,5 0 100 | \"$@\" >&-",
     "Bad file descriptor", true},
};

class LostOutput : public testing::TestWithParam<LostOutputCase> {};

TEST_P(LostOutput, IsReportedWithStatusOne) {
  if (GetParam().closesOutput && !programSeesClosedStreams()) {
    GTEST_SKIP() << "the program's output is never closed behind Node";
  }
  const Outcome outcome = runShell(GetParam().script);
  EXPECT_EQ(outcome.output, "");
  EXPECT_EQ(outcome.errors, inProgramLineEnds("fuel-economy: write error: " +
                                              GetParam().reason + "\n"));
  EXPECT_TRUE(outcome.exited);
  EXPECT_EQ(outcome.exitStatus, 1);
}

INSTANTIATE_TEST_SUITE_P(EndToEnd, LostOutput,
                         testing::ValuesIn(lostOutputCases),
                         [](const auto& test) { return test.param.name; });

struct LostResultsCase {
  std::string name;
  std::string input;
};

// Output that fails only after the prompts were written whole, as on a disk
// that fills up meanwhile, is reported just the same: by the last flush,
// since every prompt's own flush succeeds.
const LostResultsCase lostResultsCases[] = {
    {"Results", "10 1000 1300\n"},
    {"InvalidDataMessage", "3 100 100\n"},
};

class LostResults : public testing::TestWithParam<LostResultsCase> {};

TEST_P(LostResults, AreReportedWithStatusOne) {
  if (!programObeysFileSizeLimit()) {
    GTEST_SKIP() << "Windows has no limit on the size of a file";
  }
  const Outcome outcome =
      runWithRoomFor(expected::prompts.size(), GetParam().input);
  EXPECT_EQ(outcome.output, expected::prompts);
  EXPECT_EQ(outcome.errors, "fuel-economy: write error: File too large\n");
  EXPECT_TRUE(outcome.exited);
  EXPECT_EQ(outcome.exitStatus, 1);
}

INSTANTIATE_TEST_SUITE_P(EndToEnd, LostResults,
                         testing::ValuesIn(lostResultsCases),
                         [](const auto& test) { return test.param.name; });

}  // namespace
