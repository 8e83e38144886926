// The version banner and the help screen, byte for byte.
#include "help_text.h"

#include <gtest/gtest.h>

#include <string>

#include "unit_test_helpers.h"

namespace {

using std::string;

// The help screen for a short program name, written out row by row: every row starts on a new
// line, and the screen ends with an empty line.
string ExpectedHelp(const string& name) {
  const string rows[] = {
      "Usage:<" + name + "> -command arg.... -option arg......",
      "Commands:",
      "   -?\t\t Show Help Text",
      "   -V\t\t Display <" + name + "> program version",
      "   -L\t\t List all attached devices info:",
      "\t\t <PID><SN><FW Versions><Configuration Versions><Configuration String>",
      "   -R\t\t Reset all attached QELT devices(and controller will disconnect the USB Vbus "
      "1.5Kohm pull",
      "\t\t up resistor for several ms for a reset to be observed by the host system?)",
      "   -S\t\t Show available firmware file information(*.dat files only) for "
      "available<filename><Component",
      "\t\t ID#> FW<Version#> <Version String>",
      "   -F <filename> Update devices using only firmware files specified in "
      "<filename>.Multiple\"-F\"s can be",
      "\t\t specified on the command line:-F filename1 -F filename2",
      "   -D <filename> Display content of firmware/configuration file",
      "\t\t <Component ID#>FW/Cfg<Version#><Version String>",
      "   -U\t\t Update device, if no options followed, it will update all available devices "
      "with the only",
      "\t\t available firmware file in the current folder.",
      "   -C <filename> Update device using specified configuration file, option -s <serial#> is "
      "required for this",
      "\t\t command",
      "   -G <filename> Get (Read) configuration from device and store to the specified file, "
      "option -s <serial#> is",
      "\t\t required for this command\n",
      "Options:",
      "   -s <serial#>  Read/Update device specified by USB Serial Number <Serial#>",
      "   -l <filename> Output log data to specified file (default:<" + name + ">.log",
      "   -t <filename> Output trace data to specified file (default:<" + name + ">_trace.log",
      "   -f \t\t Force (relevel or back-level)update",
      "   -p <dirname>  Path to the update files. If no path is specified, the current directory "
      "is used.",
      "   -a \t\t Continue updating all devices after one failure",
      "\nNote:\n  1. <" + name +
          "> without any commands and options will run the automatic firmware update process.",
      "  2. Log file is used for debugging purposes. It is best to interpret by service "
      "personnel.",
      "  3. Kelbrin can only update the configuration file with the further level, but can't "
      "update the same level or downgrade level configuration file.",
      "     " + name +
          " can update the configuration file with both further level and downgrade level, but "
          "can't update the same level configuration file.",
  };
  string text;
  for (const string& row : rows) text += "\n" + row;
  return text + "\n\n";
}

struct NameCase {
  const char* name;
  string invocation;
  string shortName;
};
void PrintTo(const NameCase& row, std::ostream* os) { *os << row.name; }

const NameCase kNameCases[] = {
    {"plain", "orvane", "orvane"},
    {"dot_removed", "orvane.exe", "orvaneexe"},
    {"dot_and_slash_removed", "./orvane", "orvane"},
    {"drive_and_backslashes_kept", "D:\\tools\\orvane.exe", "D:\\tools\\orvaneexe"},
    {"unix_path", "/usr/local/bin/orvane", "usrlocalbinorvane"},
    {"thirty_kept_characters", "abcdefghijklmnopqrstuvwxyz0123", "abcdefghijklmnopqrstuvwxyz0123"},
    {"thirty_one_kept_characters", "abcdefghijklmnopqrstuvwxyz01234",
     "abcdefghijklmnopqrstuvwxyz0123"},
    {"removed_characters_do_not_count", "./a/b/c.d.e/" + string(27, 'x') + "./.",
     "abcde" + string(25, 'x')},
    {"thirty_kept_then_only_removed_ones", string(30, 'k') + "./../.", string(30, 'k')},
    {"long_windows_path_cut", "C:\\Program Files\\Monitor Tools\\orvane.exe",
     "C:\\Program Files\\Monitor Tools"},
    {"empty", "", ""},
    {"percent_kept_as_it_is", "x%s%d", "x%s%d"},
};

class ShortName : public ::testing::TestWithParam<NameCase> {};

TEST_P(ShortName, IsMadeFromTheInvocationName) {
  const NameCase& c = GetParam();
  EXPECT_EQ(ShortProgramName(c.invocation.c_str()), c.shortName);
}

TEST_P(ShortName, FillsEveryNamedRowOfTheHelpScreen) {
  const NameCase& c = GetParam();
  EXPECT_EQ(HelpText(c.invocation.c_str()), ExpectedHelp(c.shortName));
}

INSTANTIATE_TEST_SUITE_P(Cases, ShortName, ::testing::ValuesIn(kNameCases),
                         [](const ::testing::TestParamInfo<NameCase>& info) {
                           return string(info.param.name);
                         });

TEST(HelpText, ForOrvaneRowByRow) {
  // Each row checked on its own gives a readable failure; the whole text is checked above.
  const string expected = ExpectedHelp("orvane");
  const string actual = HelpText("orvane");
  size_t e = 0;
  size_t a = 0;
  for (int row = 1; e < expected.size() || a < actual.size(); ++row) {
    size_t eEnd = expected.find('\n', e + 1);
    size_t aEnd = actual.find('\n', a + 1);
    EXPECT_EQ(actual.substr(a, aEnd - a), expected.substr(e, eEnd - e)) << "line " << row;
    if (eEnd == string::npos || aEnd == string::npos) break;
    e = eEnd;
    a = aEnd;
  }
  EXPECT_EQ(actual, expected);
}

TEST(HelpText, PrintHelpPrintsTheScreenOfTheFirstArgument) {
  char program[] = "D:\\tools\\orvane.exe";
  char option[] = "-?";
  char* argv[] = {program, option, nullptr};
  BeginCapture();
  PrintHelp(2, argv);
  EXPECT_EQ(EndCapture(), ExpectedHelp("D:\\tools\\orvaneexe"));
}

TEST(VersionText, PrintsTitleAndVersion) {
  BeginCapture();
  PrintVersion();
  EXPECT_EQ(EndCapture(), "\nVelmora\n\nVersion: 1.0.7");
}

}  // namespace
