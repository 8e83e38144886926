// The platform process runner and the manager's start of a child, against a real child program.
#include <gtest/gtest.h>

#include "command_line_text.h"
#include "test_support.h"
#include "update_manager.h"

namespace {

std::string Child(const std::string& arguments) {
  return QuoteArgument(TestProgram(TEST_BIN_DIR, "test_child")) + " " + arguments;
}

TEST(ProcessRunner, CapturesOutputLongerThanOneReadInOrder) {
  std::string captured;
  ProcessOutcome outcome = SystemProcessRunner().Run(Child("--write 200000"), 1, captured);
  EXPECT_EQ(outcome.pipeCreated, 1);
  EXPECT_EQ(outcome.started, 1);
  std::string expected;
  for (int n = 0; n < 200000; ++n) expected += static_cast<char>('a' + n % 26);
  EXPECT_EQ(captured, expected);
}

TEST(ProcessRunner, CapturesStandardErrorWithStandardOutput) {
  EXPECT_EQ(RunCaptured(Child("--write 3 --stderr ERR")), "abcERR");
}

TEST(ProcessRunner, KeepsZeroBytes) {
  EXPECT_EQ(RunCaptured(Child("--zeros")), std::string("ab\0cd\0ef", 8));
}

TEST(ProcessRunner, ChildHasNoInputWhenCaptured) {
  EXPECT_EQ(RunCaptured(Child("--stdin")), "stdin-empty");
}

TEST(ProcessRunner, ArgumentsArriveWholeWhenQuoted) {
  const char* arguments[] = {"FW v2.dat", "", "a\"b", "tail\\", "x\\\"y z"};
  std::string line = Child("--args");
  std::string expected;
  for (const char* argument : arguments) {
    line += " " + QuoteArgument(argument);
    expected += std::string("[") + argument + "]";
  }
  EXPECT_EQ(RunCaptured(line), expected);
}

TEST(ProcessRunner, MissingProgramReportsFileNotFound) {
  std::string captured = "kept";
  ProcessOutcome outcome =
      SystemProcessRunner().Run("no-such-program-orvane-test --x", 1, captured);
  EXPECT_EQ(outcome.pipeCreated, 1);
  EXPECT_EQ(outcome.started, 0);
  EXPECT_EQ(outcome.errorNumber, 2u);
  EXPECT_EQ(captured, "kept");
}

// The manager's side: what is printed and what becomes of the output string.
struct StartCase {
  const char* name;
  const char* command;  // run through the real runner; "child:" prefixes the test child's actions
  const char* errorText;
  int capture;
  const char* expectedOutput;   // the output string afterwards
  const char* expectedPrinted;  // what RunProcess itself printed
  int expectedStarted;
};

const StartCase kStartCases[] = {
    {"capture_replaces_output", "child:--write 4", nullptr, 1, "abcd", "", 1},
    {"silent_child_leaves_output_empty", "child:", nullptr, 1, "", "", 1},
    {"missing_program_generic_message", "no-such-program-orvane-test", nullptr, 1, "before",
     "\nError: Create process failure(2) !\n", 0},
    {"missing_program_with_error_text", "no-such-program-orvane-test", "Can not find it.exe", 1,
     "before", "\nError code(2): Can not find it.exe!\n", 0},
    {"console_mode_leaves_output", "child:--write 4", nullptr, 0, "before", "", 1},
};

class ManagerStart : public ::testing::TestWithParam<StartCase> {};

TEST_P(ManagerStart, ReportsAndFillsOutput) {
  const StartCase& c = GetParam();
  std::string command = c.command;
  if (command.rfind("child:", 0) == 0) command = Child(command.substr(6));
  CUpdateManager manager;
  manager.Reset();
  std::string output = "before";
  ::testing::internal::CaptureStdout();
  int started = manager.RunProcess(command, c.errorText, output, c.capture);
  std::string printed = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(started, c.expectedStarted);
  EXPECT_EQ(output, c.expectedOutput);
  if (c.capture) {
    EXPECT_EQ(printed, c.expectedPrinted);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ManagerStart, ::testing::ValuesIn(kStartCases),
                         [](const ::testing::TestParamInfo<StartCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(ManagerStart, PipeFailureIsSilentAndStartsNothing) {
  CFakeRunner runner;
  runner.m_pipeFails = 1;
  CFakeFinder finder;
  CUpdateManager manager(runner, finder);
  manager.Reset();
  std::string output = "before";
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(manager.RunProcess("zunder -L", "text", output, 1), 0);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(output, "before");
  EXPECT_TRUE(runner.m_events.empty());
}

}  // namespace
