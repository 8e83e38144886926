// The launcher's logic with the platform's shell replaced by one that records what it is asked.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "msilaunch.h"

namespace {

// Keeps, in order, the text printed, "<pause>" for each pause and "<run COMMAND>" for each run;
// every run ends with the status chosen.
class CFakeShell : public CLauncherShell {
 public:
  void Print(const char* text) override { m_transcript += text; }
  int QuotePath(const char* path, char* quoted, size_t size) override {
    if (m_refusesPaths) return 0;
    snprintf(quoted, size, "\"%s\"", path);
    return 1;
  }
  int Run(const char* commandLine) override {
    m_transcript += std::string("<run ") + commandLine + ">";
    return m_status;
  }
  void Pause() override { m_transcript += "<pause>"; }

  std::string m_transcript;
  int m_status = 0;
  int m_refusesPaths = 0;
};

const char kUsage[] =
    "\nUsage: msilaunch FileName.msi command\n\n"
    "  The exclusive commands accepted are:\n"
    "    install\tInstall the FileName.msi\n"
    "    uninstall\tUninstall the original installed FileName.msi\n\n"
    "<pause>";

std::string Transcript(std::vector<std::string> arguments, int status = 0, int refusesPaths = 0) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(&argument[0]);
  argv.push_back(nullptr);
  CFakeShell shell;
  shell.m_status = status;
  shell.m_refusesPaths = refusesPaths;
  EXPECT_EQ(LaunchMain(static_cast<int>(arguments.size()), argv.data(), shell), 0);
  return shell.m_transcript;
}

TEST(LowerAscii, ChangesOnlyCapitalLetters) {
  const struct {
    const char* text;
    const char* lowered;
  } cases[] = {
      {"INSTALL", "install"},
      {"UnInstall", "uninstall"},
      {"@AZ[`az{", "@az[`az{"},  // the neighbours of both letter ranges stay
      {"\xC4\xD6-1_ \t", "\xC4\xD6-1_ \t"},
      {"", ""},
  };
  for (const auto& c : cases) {
    std::string text = c.text;
    LowerAscii(&text[0]);
    EXPECT_EQ(text, c.lowered) << c.text;
  }
}

TEST(PrintUsage, NamesTheProgramAsInvokedAndPauses) {
  CFakeShell shell;
  PrintUsage(shell, "C:\\tools\\msilaunch.exe");
  EXPECT_EQ(shell.m_transcript,
            "\nUsage: C:\\tools\\msilaunch.exe FileName.msi command\n\n"
            "  The exclusive commands accepted are:\n"
            "    install\tInstall the FileName.msi\n"
            "    uninstall\tUninstall the original installed FileName.msi\n\n"
            "<pause>");
}

// Which arguments lead to which command line, or to the usage text.
struct ArgumentCase {
  const char* name;
  std::vector<std::string> arguments;  // after the program name
  std::string transcript;
};

const std::string kLongest(51, 'p');
const std::string kTooLong(52, 'p');

const ArgumentCase kArgumentCases[] = {
    {"NoArguments", {}, kUsage},
    {"PathOnly", {"pkg.msi"}, kUsage},
    {"Install", {"pkg.msi", "install"}, "<run msiexec /i \"pkg.msi\" /quiet>"},
    {"InstallCapitals", {"pkg.msi", "INSTALL"}, "<run msiexec /i \"pkg.msi\" /quiet>"},
    {"InstallMixedCase", {"pkg.msi", "Install"}, "<run msiexec /i \"pkg.msi\" /quiet>"},
    {"InstallPrefix", {"pkg.msi", "installnow"}, "<run msiexec /i \"pkg.msi\" /quiet>"},
    {"Uninstall", {"pkg.msi", "uninstall"}, "<run msiexec /x \"pkg.msi\" /qn>"},
    {"UninstallPrefix", {"pkg.msi", "UNINSTALLER"}, "<run msiexec /x \"pkg.msi\" /qn>"},
    // Removal quotes the path as installation does, so a path with blanks stays one argument.
    {"UninstallPathWithBlanks", {"my pkg.msi", "uninstall"}, "<run msiexec /x \"my pkg.msi\" /qn>"},
    {"InstallPathWithBlanks", {"my pkg.msi", "install"}, "<run msiexec /i \"my pkg.msi\" /quiet>"},
    {"Remove", {"pkg.msi", "remove"}, kUsage},
    {"ShortOfInstall", {"pkg.msi", "instal"}, kUsage},
    {"ShortOfUninstall", {"pkg.msi", "uninstal"}, kUsage},
    {"InstallNotAtStart", {"pkg.msi", "reinstall"}, kUsage},
    {"EmptyWord", {"pkg.msi", ""}, kUsage},
    {"FurtherArgumentsIgnored",
     {"pkg.msi", "install", "/norestart", "x"},
     "<run msiexec /i \"pkg.msi\" /quiet>"},
    {"LongestPath", {kLongest, "install"}, "<run msiexec /i \"" + kLongest + "\" /quiet>"},
    {"PathTooLong",
     {kTooLong, "install"},
     "\nError: the package path is longer than 51 characters." + std::string(kUsage)},
    {"LongestWord", {"pkg.msi", "uninstallxxxxxxxxxx"}, "<run msiexec /x \"pkg.msi\" /qn>"},
    {"WordTooLong",
     {"pkg.msi", "uninstallxxxxxxxxxxx"},
     "\nError: the command word is longer than 19 characters." + std::string(kUsage)},
    // A word of the right length that names no command is refused for that, not for length.
    {"LongestUnknownWord", {"pkg.msi", "removexxxxxxxxxxxxx"}, kUsage},
    {"BothTooLong",
     {kTooLong, "uninstallxxxxxxxxxxx"},
     "\nError: the package path is longer than 51 characters." + std::string(kUsage)},
    {"TooLongPathWithUnknownWord",
     {kTooLong, "remove"},
     "\nError: the package path is longer than 51 characters." + std::string(kUsage)},
};

class LaunchArguments : public ::testing::TestWithParam<ArgumentCase> {};

TEST_P(LaunchArguments, BuildTheCommandOrShowTheUsage) {
  std::vector<std::string> arguments = GetParam().arguments;
  arguments.insert(arguments.begin(), "msilaunch");
  EXPECT_EQ(Transcript(arguments), GetParam().transcript);
}

INSTANTIATE_TEST_SUITE_P(Cases, LaunchArguments, ::testing::ValuesIn(kArgumentCases),
                         [](const ::testing::TestParamInfo<ArgumentCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(LaunchMain, PathTheShellRefusesShowsTheUsageAndRunsNothing) {
  EXPECT_EQ(Transcript({"msilaunch", "a.msi", "install"}, 0, 1), kUsage);
  EXPECT_EQ(Transcript({"msilaunch", "a.msi", "uninstall"}, 0, 1), kUsage);
}

// How each status of msiexec is reported.
struct StatusCase {
  const char* name;
  const char* word;
  int status;
  const char* report;  // what follows the run
};

const StatusCase kStatusCases[] = {
    {"Success", "install", 0, ""},
    {"One", "install", 1, "\n<pause>"},
    {"NoInterpreter", "install", -1, "\nError code(-1): install failure !!!\n<pause>"},
    {"Lowest", "uninstall", -2147483647 - 1,
     "\nError code(-2147483648): uninstall failure !!!\n<pause>"},
    // 3000000000 as a 32-bit exit code.
    {"HighExitCode", "install", -1294967296,
     "\nError code(-1294967296): install failure !!!\n<pause>"},
    {"Highest", "install", 2147483647, "\nError code(2147483647): install failure !!!\n<pause>"},
    {"Other", "uninstall", 2, "\nError code(2): uninstall failure !!!\n<pause>"},
    {"OtherNamesWholeWord", "INSTALLNOW", 1604,
     "\nError code(1604): installnow failure !!!\n<pause>"},
    {"PackageUnopenable", "install", 1619,
     "\nError:  The installation package(pkg.msi) could not be opened."
     "\n\tPlease check the package exists and that you can access it\n<pause>"},
    {"PackageUnopenableOnRemoval", "uninstall", 1619,
     "\nError:  The installation package(pkg.msi) could not be opened."
     "\n\tPlease check the package exists and that you can access it\n<pause>"},
    // Both restart statuses mean the operation succeeded.
    {"RestartRequired", "install", 3010,
     "\nSuccess: restart the computer to complete the install.\n<pause>"},
    {"RestartRequiredNamesWholeWord", "Uninstaller", 3010,
     "\nSuccess: restart the computer to complete the uninstaller.\n<pause>"},
    {"RestartInitiated", "uninstall", 1641,
     "\nSuccess: restart the computer to complete the uninstall.\n<pause>"},
    {"Cancelled", "install", 1602,
     "\nError code(1602): install failure !!!\n\tThe operation was cancelled.\n<pause>"},
    {"FatalError", "install", 1603,
     "\nError code(1603): install failure !!!\n\tA fatal error occurred during the operation."
     "\n<pause>"},
    {"NotInstalled", "uninstall", 1605,
     "\nError code(1605): uninstall failure !!!\n\tThis product is not installed.\n<pause>"},
    {"InstallInProgress", "install", 1618,
     "\nError code(1618): install failure !!!"
     "\n\tAnother installation is in progress; try again when it has finished.\n<pause>"},
    {"InvalidPackage", "install", 1620,
     "\nError code(1620): install failure !!!\n\tThe package could not be opened; check that it "
     "is a valid Windows Installer package.\n<pause>"},
    {"UnsupportedPlatform", "install", 1633,
     "\nError code(1633): install failure !!!\n\tThis package is not supported on this "
     "platform.\n<pause>"},
    {"OtherVersionInstalled", "install", 1638,
     "\nError code(1638): install failure !!!\n\tAnother version of this product is already "
     "installed.\n<pause>"},
    // A note belongs to its status alone, not to its neighbours nor to the same low byte.
    {"NextToNote", "install", 1637, "\nError code(1637): install failure !!!\n<pause>"},
    {"SameLowByteAsNote", "install", 1603 - 1024,
     "\nError code(579): install failure !!!\n<pause>"},
    {"NegativeOfNote", "install", -1603, "\nError code(-1603): install failure !!!\n<pause>"},
};

class LaunchStatus : public ::testing::TestWithParam<StatusCase> {};

TEST_P(LaunchStatus, IsReported) {
  const StatusCase& c = GetParam();
  std::string command = (c.word[0] == 'i' || c.word[0] == 'I') ? "msiexec /i \"pkg.msi\" /quiet"
                                                               : "msiexec /x \"pkg.msi\" /qn";
  EXPECT_EQ(Transcript({"msilaunch", "pkg.msi", c.word}, c.status),
            "<run " + command + ">" + c.report);
}

INSTANTIATE_TEST_SUITE_P(Cases, LaunchStatus, ::testing::ValuesIn(kStatusCases),
                         [](const ::testing::TestParamInfo<StatusCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(ReportStatus, PackageUnopenableNamesTheLongestPathWhole) {
  CFakeShell shell;
  ReportStatus(shell, 1619, "install", kLongest.c_str());
  EXPECT_EQ(shell.m_transcript, "\nError:  The installation package(" + kLongest +
                                    ") could not be opened."
                                    "\n\tPlease check the package exists and that you can "
                                    "access it\n<pause>");
}

TEST(ReportStatus, FailureNamesTheLongestWordWhole) {
  CFakeShell shell;
  ReportStatus(shell, -2147483647 - 1, "uninstallxxxxxxxxxx", "pkg.msi");
  EXPECT_EQ(shell.m_transcript,
            "\nError code(-2147483648): uninstallxxxxxxxxxx failure !!!\n<pause>");
  shell.m_transcript.clear();
  ReportStatus(shell, 3010, "uninstallxxxxxxxxxx", "pkg.msi");
  EXPECT_EQ(shell.m_transcript,
            "\nSuccess: restart the computer to complete the uninstallxxxxxxxxxx.\n<pause>");
}

}  // namespace
