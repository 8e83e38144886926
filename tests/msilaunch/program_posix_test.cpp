// The POSIX side: the stand-in on PATH, /bin/sh as the interpreter, the pause of msilaunch's own.
#include <stdio.h>
#include <unistd.h>

#include <filesystem>

#include "launcher_shell.h"
#include "msilaunch.h"
#include "program_test.h"

void PlaceStandIn(const std::string& folder) {
  std::filesystem::create_symlink(TestProgram(TEST_BIN_DIR, "msiexec_standin"),
                                  JoinPath(folder, "msiexec"));
  SetEnvironment("PATH", folder + ":" + GetEnvironment("PATH"));
}

std::string NativeText(const std::string& text) { return text; }

const char* PausePromptPattern() { return "Press Enter to continue \\. \\. \\. "; }

// Exit codes reach a POSIX parent cut to 8 bits, so 1619 arrives as 83, another failure.
const StatusRow kPosixStatusRows[] = {
    {"PackageUnopenableCutToEightBits", "pkg.msi", "install", "1619", "[/i][pkg.msi][/quiet]\n",
     "\nError code(83): install failure !!!\n<pause>"},
};

INSTANTIATE_TEST_SUITE_P(Posix, StatusReport, ::testing::ValuesIn(kPosixStatusRows), StatusRowName);

// /bin/sh reads quotes, backslashes and line ends, which a POSIX file name may hold.
const PathRow kPosixPathRows[] = {
    {"SingleQuote", "it's.msi", 0},
    {"SingleQuotesAroundCommand", "a'; msiexec second; 'b.msi", 0},
    {"DoubleQuotesAroundCommand", "a\"; msiexec second; \"b.msi", 0},
    {"BackslashBeforeQuote", "a\\'; msiexec second #.msi", 0},
    {"TrailingBackslash", "pkg\\", 0},
    {"LineEnd", "a\nmsiexec second.msi", 0},
    {"PercentPair", "%PATH%.msi", 0},
    // Each single quote takes four characters once quoted: the most a path of 51 can grow to.
    {"LongestOfSingleQuotes", "'''''''''''''''''''''''''''''''''''''''''''''''''''", 0},
};

INSTANTIATE_TEST_SUITE_P(Posix, PathAsData, ::testing::ValuesIn(kPosixPathRows), PathRowName);

namespace {

// The shell's own parts, in this process.
TEST(PosixLauncherShell, RunGivesTheExitCode) {
  CLauncherShell& shell = SystemLauncherShell();
  EXPECT_EQ(shell.Run("exit 0"), 0);
  EXPECT_EQ(shell.Run("exit 7"), 7);
  EXPECT_EQ(shell.Run("exit 255"), 255);
  EXPECT_EQ(shell.Run("no-such-program-msilaunch-test 2>/dev/null"), 127);
  // Ended by SIGTERM, reported as the shells do.
  EXPECT_EQ(shell.Run("kill -TERM $$"), 143);
}

TEST(PosixLauncherShell, QuotedPathReachesTheCommandUnchanged) {
  CScratchFolder folder("msilaunch_PosixLauncherShell_Quoted");
  const char* paths[] = {"plain.msi", "two  blanks", "it's", "'",     "''",       "a\"b\"", "\\",
                         "a\\'b",     "$HOME",       "`id`", "$(id)", "a;b&c|d",  "*",      "-n",
                         "a\nb",      "tab\there",   "!1",   "~",     "#comment", ""};
  CLauncherShell& shell = SystemLauncherShell();
  for (const char* path : paths) {
    char quoted[kQuotedPathSize];
    ASSERT_EQ(shell.QuotePath(path, quoted, sizeof(quoted)), 1) << path;
    remove("printed");
    EXPECT_EQ(shell.Run(("printf %s " + std::string(quoted) + " > printed").c_str()), 0) << quoted;
    EXPECT_EQ(ReadWholeFile("printed"), path) << quoted;
  }
}

// The pause reads up to the end of one line and leaves the rest; at the end of the input it
// returns at once.
TEST(PosixLauncherShell, PauseTakesOneLineOrTheEnd) {
  CScratchFolder folder("msilaunch_PosixLauncherShell_Pause");
  WriteWholeFile("input", "first line\nsecond");
  int saved = dup(0);
  ASSERT_NE(freopen("input", "r", stdin), nullptr);
  SystemLauncherShell().Pause();
  EXPECT_EQ(fgetc(stdin), 's');
  SystemLauncherShell().Pause();
  EXPECT_EQ(fgetc(stdin), EOF);
  SystemLauncherShell().Pause();
  // Give the test program its own input back.
  if (saved >= 0) {
    dup2(saved, 0);
    close(saved);
  }
  clearerr(stdin);
}

}  // namespace
