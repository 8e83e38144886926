// The Windows side: the stand-in in the current folder, where cmd looks before PATH, and the C
// runtime's interpreter call.
#include <filesystem>

#include "launcher_shell.h"
#include "msilaunch.h"
#include "program_test.h"

void PlaceStandIn(const std::string& folder) {
  std::filesystem::copy_file(TestProgram(TEST_BIN_DIR, "msiexec_standin"),
                             JoinPath(folder, "msiexec.exe"));
}

std::string NativeText(const std::string& text) {
  std::string native;
  for (char c : text) {
    if (c == '\n') native += '\r';
    native += c;
  }
  return native;
}

// cmd's own prompt; what follows it depends on the input it got.
const char* PausePromptPattern() { return "Press any key to continue[ .]*(\r\n)?"; }

// Windows programs see each other's exit codes whole.
const StatusRow kWin32StatusRows[] = {
    {"PackageUnopenable", "pkg.msi", "install", "1619", "[/i][pkg.msi][/quiet]\n",
     "\nError:  The installation package(pkg.msi) could not be opened."
     "\n\tPlease check the package exists and that you can access it\n<pause>"},
    {"PackageWithBlanksUnopenable", "my pkg.msi", "uninstall", "1619", "[/x][my pkg.msi][/qn]\n",
     "\nError:  The installation package(my pkg.msi) could not be opened."
     "\n\tPlease check the package exists and that you can access it\n<pause>"},
    {"Negative", "pkg.msi", "install", "-2", "[/i][pkg.msi][/quiet]\n",
     "\nError code(-2): install failure !!!\n<pause>"},
    {"HighExitCodeReadsNegative", "pkg.msi", "uninstall", "3000000000", "[/x][pkg.msi][/qn]\n",
     "\nError code(-1294967296): uninstall failure !!!\n<pause>"},
    {"LargestPositive", "pkg.msi", "install", "2147483647", "[/i][pkg.msi][/quiet]\n",
     "\nError code(2147483647): install failure !!!\n<pause>"},
    {"RestartRequired", "pkg.msi", "install", "3010", "[/i][pkg.msi][/quiet]\n",
     "\nSuccess: restart the computer to complete the install.\n<pause>"},
    {"RestartInitiated", "pkg.msi", "Uninstall", "1641", "[/x][pkg.msi][/qn]\n",
     "\nSuccess: restart the computer to complete the uninstall.\n<pause>"},
    {"FatalError", "pkg.msi", "install", "1603", "[/i][pkg.msi][/quiet]\n",
     "\nError code(1603): install failure !!!\n\tA fatal error occurred during the operation."
     "\n<pause>"},
    {"NotInstalled", "pkg.msi", "uninstall", "1605", "[/x][pkg.msi][/qn]\n",
     "\nError code(1605): uninstall failure !!!\n\tThis product is not installed.\n<pause>"},
};

INSTANTIATE_TEST_SUITE_P(Win32, StatusReport, ::testing::ValuesIn(kWin32StatusRows), StatusRowName);

// What cmd would read inside the quotes. No Windows file name holds a double quote or a control
// character; between two percent signs cmd puts a variable's value, which may hold quotes.
const PathRow kWin32PathRows[] = {
    {"DoubleQuotes", "a\" & msiexec second & \".msi", 1},
    {"DoubleQuoteAtEnd", "pkg.msi\"", 1},
    {"LineEnd", "a\nmsiexec second.msi", 1},
    {"Tab", "a\tb.msi", 1},
    {"PercentPair", "%PATH%.msi", 1},
    {"PercentPairApart", "50% & 100%.msi", 1},
    {"SingleQuotes", "it's 'a'.msi", 0},
    {"TrailingBackslashInFolder", "C:\\no such\\folder\\pkg.msi", 0},
    {"LongestOfCmdMetacharacters", "^&|<>()^&|<>()^&|<>()^&|<>()^&|<>()^&|<>()^&|<>()^&", 0},
};

INSTANTIATE_TEST_SUITE_P(Win32, PathAsData, ::testing::ValuesIn(kWin32PathRows), PathRowName);

namespace {

// A variable whose value closes the quotes would otherwise let the path run a command.
TEST_F(MsilaunchRun, VariableInThePathIsNeverExpanded) {
  SetEnvironment("MSILAUNCH_TRAP", "\" & msiexec second & \"");
  std::string output = Launch({"pkg%MSILAUNCH_TRAP%.msi", "install"});
  SetEnvironment("MSILAUNCH_TRAP", "");
  EXPECT_EQ(StandInLog(), "");
  EXPECT_NE(output.find("\r\nUsage: "), std::string::npos) << output;
}

// COMSPEC names a file that is no program: no interpreter starts, for the command nor for the
// pause, and the status reads -1.
TEST_F(MsilaunchRun, InterpreterThatCannotStartReadsMinusOne) {
  std::string saved = GetEnvironment("COMSPEC");
  WriteWholeFile("notaprogram.exe", "text, not a program");
  SetEnvironment("COMSPEC", JoinPath(m_folder->Path(), "notaprogram.exe"));
  std::string output = Launch({"pkg.msi", "install"});
  SetEnvironment("COMSPEC", saved);
  EXPECT_EQ(output, NativeText("\nError code(-1): install failure !!!\n"));
  EXPECT_EQ(StandInLog(), "");
}

TEST(Win32LauncherShell, RunGivesTheSigned32BitExitCode) {
  CLauncherShell& shell = SystemLauncherShell();
  EXPECT_EQ(shell.Run("exit 0"), 0);
  EXPECT_EQ(shell.Run("exit 1619"), 1619);
  EXPECT_EQ(shell.Run("exit -5"), -5);
  EXPECT_EQ(shell.Run("exit 2147483647"), 2147483647);
}

TEST(Win32LauncherShell, QuotedPathIsTheWholePathInDoubleQuotes) {
  const char* paths[] = {"pkg.msi", "C:\\my folder\\a & b (1).msi", "100%.msi", "^!|<>"};
  for (const char* path : paths) {
    char quoted[kQuotedPathSize];
    EXPECT_EQ(SystemLauncherShell().QuotePath(path, quoted, sizeof(quoted)), 1) << path;
    EXPECT_EQ(std::string(quoted), std::string("\"") + path + "\"");
  }
}

}  // namespace
