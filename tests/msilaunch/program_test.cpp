// The built msilaunch with the platform's real interpreter and a stand-in msiexec.
#include "program_test.h"

#include <regex>

#include "command_line_text.h"

void MsilaunchRun::SetUp() {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string("msilaunch_") + info->test_suite_name() + "_" + info->name();
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  m_savedPath = GetEnvironment("PATH");
  m_folder.reset(new CScratchFolder(name));
  PlaceStandIn(m_folder->Path());
  SetEnvironment("MSIEXEC_STANDIN_LOG", JoinPath(m_folder->Path(), "msiexec.log"));
  SetEnvironment("MSIEXEC_STANDIN_STATUS", "0");
}

void MsilaunchRun::TearDown() {
  SetEnvironment("MSIEXEC_STANDIN_LOG", "");
  SetEnvironment("MSIEXEC_STANDIN_STATUS", "");
  SetEnvironment("PATH", m_savedPath);
  m_folder.reset();
}

std::string MsilaunchRun::Launch(const std::vector<std::string>& arguments) {
  std::string commandLine = QuoteArgument(TestProgram(TEST_BIN_DIR, "msilaunch"));
  for (const std::string& argument : arguments) commandLine += " " + QuoteArgument(argument);
  return std::regex_replace(RunCaptured(commandLine), std::regex(PausePromptPattern()), "<pause>");
}

std::string MsilaunchRun::StandInLog() {
  return ReadWholeFile(JoinPath(m_folder->Path(), "msiexec.log"));
}

void MsilaunchRun::SetStandInStatus(const std::string& status) {
  SetEnvironment("MSIEXEC_STANDIN_STATUS", status);
}

std::string StatusRowName(const ::testing::TestParamInfo<StatusRow>& info) {
  return info.param.name;
}

std::string PathRowName(const ::testing::TestParamInfo<PathRow>& info) { return info.param.name; }

namespace {

std::string Usage() {
  return "\nUsage: " + TestProgram(TEST_BIN_DIR, "msilaunch") +
         " FileName.msi command\n\n"
         "  The exclusive commands accepted are:\n"
         "    install\tInstall the FileName.msi\n"
         "    uninstall\tUninstall the original installed FileName.msi\n\n"
         "<pause>";
}

}  // namespace

TEST_P(StatusReport, IsExplained) {
  const StatusRow& row = GetParam();
  SetStandInStatus(row.status);
  EXPECT_EQ(Launch({row.path, row.word}), NativeText(row.output));
  EXPECT_EQ(StandInLog(), row.log);
}

// The statuses that every platform's exit codes can carry.
const StatusRow kStatusRows[] = {
    {"Success", "pkg.msi", "install", "0", "[/i][pkg.msi][/quiet]\n", ""},
    {"One", "pkg.msi", "INSTALL", "1", "[/i][pkg.msi][/quiet]\n", "\n<pause>"},
    {"Other", "pkg.msi", "uninstall", "2", "[/x][pkg.msi][/qn]\n",
     "\nError code(2): uninstall failure !!!\n<pause>"},
    {"OtherNamesWholeWord", "pkg.msi", "InstallNow", "255", "[/i][pkg.msi][/quiet]\n",
     "\nError code(255): installnow failure !!!\n<pause>"},
    // Removal hands msiexec a path with blanks as one argument.
    {"RemovalOfPathWithBlanks", "my pkg 1.0.msi", "UNINSTALLER", "0", "[/x][my pkg 1.0.msi][/qn]\n",
     ""},
    {"InstallationOfPathWithBlanks", "my pkg 1.0.msi", "install", "0",
     "[/i][my pkg 1.0.msi][/quiet]\n", ""},
};

INSTANTIATE_TEST_SUITE_P(Common, StatusReport, ::testing::ValuesIn(kStatusRows), StatusRowName);

TEST_P(PathAsData, ReachesMsiexecWholeOrNotAtAll) {
  const PathRow& row = GetParam();
  std::string installed = Launch({row.path, "install"});
  std::string removed = Launch({row.path, "uninstall"});
  if (row.refused) {
    EXPECT_EQ(installed, NativeText(Usage()));
    EXPECT_EQ(removed, NativeText(Usage()));
    EXPECT_EQ(StandInLog(), "");
  } else {
    EXPECT_EQ(installed, "");
    EXPECT_EQ(removed, "");
    // One start each, with the path as one argument: nothing of it ran as a command.
    EXPECT_EQ(StandInLog(),
              std::string("[/i][") + row.path + "][/quiet]\n[/x][" + row.path + "][/qn]\n");
  }
}

// Each would start msiexec a second time, or change the path, if the interpreter read it.
const PathRow kPathRows[] = {
    {"Blanks", "my  package 1.0.msi", 0},
    {"Ampersand", "a & msiexec second.msi", 0},
    {"Pipe", "a | msiexec second.msi", 0},
    {"Semicolon", "a; msiexec second.msi", 0},
    {"CommandSubstitution", "$(msiexec second).msi", 0},
    {"Backquotes", "`msiexec second`.msi", 0},
    {"Redirection", "a > out.msi < in.msi", 0},
    {"Parentheses", "(a) & (msiexec second).msi", 0},
    {"Caret", "a ^& msiexec second.msi", 0},
    {"OnePercentSign", "100% sure & msiexec second.msi", 0},
    {"DollarVariable", "$PATH ${HOME}.msi", 0},
    {"Exclamation", "a!PATH!b.msi", 0},
    {"Wildcards", "*.msi", 0},
    // The longest path there is room for, every character of it one the interpreter acts on.
    {"LongestOfMetacharacters", "a & b | c ; $(d) `e` 100% & msiexec second (22).msi", 0},
};

INSTANTIATE_TEST_SUITE_P(Common, PathAsData, ::testing::ValuesIn(kPathRows), PathRowName);

TEST_F(MsilaunchRun, MissingArgumentsShowTheUsageWithTheInvocationName) {
  EXPECT_EQ(Launch({}), NativeText(Usage()));
  EXPECT_EQ(Launch({"pkg.msi"}), NativeText(Usage()));
  EXPECT_EQ(StandInLog(), "");
}

TEST_F(MsilaunchRun, UnknownWordShowsTheUsageAndRunsNothing) {
  EXPECT_EQ(Launch({"pkg.msi", "remove"}), NativeText(Usage()));
  EXPECT_EQ(StandInLog(), "");
}

TEST_F(MsilaunchRun, OverlongArgumentsAreRefusedWithTheirLimit) {
  std::string longest(47, 'p');
  longest += ".msi";
  EXPECT_EQ(Launch({"p" + longest, "install"}),
            NativeText("\nError: the package path is longer than 51 characters." + Usage()));
  EXPECT_EQ(Launch({"pkg.msi", "installxxxxxxxxxxxxx"}),
            NativeText("\nError: the command word is longer than 19 characters." + Usage()));
  EXPECT_EQ(StandInLog(), "");

  EXPECT_EQ(Launch({longest, "installxxxxxxxxxxxx"}), "");
  EXPECT_EQ(StandInLog(), "[/i][" + longest + "][/quiet]\n");
}

TEST_F(MsilaunchRun, OverlongPathOfMetacharactersRunsNothing) {
  const std::string path = "a & b | c ; $(d) `e` 100% & msiexec second (222).msi";
  ASSERT_EQ(path.size(), 52u);
  EXPECT_EQ(Launch({path, "install"}),
            NativeText("\nError: the package path is longer than 51 characters." + Usage()));
  EXPECT_EQ(StandInLog(), "");
}
