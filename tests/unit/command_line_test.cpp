// The option scan: the command line sent to the tool, whether the automatic update follows, and
// what is shown.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "help_text.h"
#include "test_support.h"
#include "unit_test_helpers.h"
#include "update_manager.h"

namespace {

using std::string;

const char kListCommand[] = "zunder -L";
const char kDeviceListing[] = "PID:C7E3 COMP:1 EC:0105 SN:123\n";
const char kToolOutput[] = "<tool output>\n";
const char kVersionText[] = "\nVelmora\n\nVersion: 1.0.7";
const char kSerialError[] = "\nError--Required -s<serial#>option.";

// Expected output: "@V" stands for the version text, "@H" for the help screen of the program,
// "@T" for the tool's output.
string Expand(const string& pattern, const string& program) {
  string text;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '@' && i + 1 < pattern.size()) {
      char what = pattern[++i];
      if (what == 'V') text += kVersionText;
      if (what == 'H') text += HelpText(program.c_str());
      if (what == 'T') text += kToolOutput;
      continue;
    }
    text += pattern[i];
  }
  return text;
}

struct ParseCase {
  const char* name;
  std::vector<string> arguments;  // after the program name
  int result;
  std::vector<string> events;  // runner events; every capture but the listing replies "@T"
  string output;
  int debug;
  const char* program;  // the invocation name
  int devices;          // the device check finds one
};
void PrintTo(const ParseCase& row, std::ostream* os) { *os << row.name; }

ParseCase Row(const char* name, std::vector<string> arguments, int result,
              std::vector<string> events, string output, int debug = 0,
              const char* program = "orvane", int devices = 1) {
  return ParseCase{name, arguments, result, events, output, debug, program, devices};
}

const string kList = string("capture ") + kListCommand;

const ParseCase kParseCases[] = {
    // Common command lines.
    Row("no_arguments", {}, 1, {}, ""),
    Row("deb", {"-deb"}, 1, {}, "", 1),
    Row("autofw", {"-autofw"}, 1, {}, ""),
    Row("V", {"-V"}, 0, {}, "@V"),
    Row("L", {"-L"}, 0, {"capture zunder -L "}, "@T"),
    Row("s_123_U", {"-s", "123", "-U"}, 0, {"capture zunder -s 123 -U "}, "@T"),
    Row("C_cfg_s_123", {"-C", "cfg.dat", "-s", "123"}, 0,
        {kList, "capture zunder -F cfg.dat -s 123 "}, "@T"),
    Row("G_out_s_123", {"-G", "out.cfg", "-s", "123"}, 0,
        {kList, "capture zunder -G 1 -w out.cfg -s 123 "}, "@T"),
    Row("l", {"-l"}, 0, {"capture zunder -l orvane.log"}, "@T"),
    Row("L_autofw", {"-L", "-autofw"}, 0, {}, ""),
    // Order, prefixes and case.
    Row("deb_then_L", {"-deb", "-L"}, 0, {"capture zunder -L "}, "@T", 1),
    Row("L_then_V_still_runs_the_tool", {"-L", "-V"}, 0, {"capture zunder -L "}, "@V@T"),
    Row("V_then_L_stops_before_L", {"-V", "-L"}, 0, {}, "@V"),
    Row("help", {"-?"}, 0, {}, "@H"),
    Row("L_then_help", {"-L", "-?"}, 0, {"capture zunder -L "}, "@H@T"),
    Row("autofw_first_returns_at_once", {"-autofw", "-L"}, 1, {}, ""),
    Row("deb_then_autofw", {"-deb", "-autofw"}, 1, {}, "", 1),
    Row("debug_counts_as_deb", {"-debug"}, 1, {}, "", 1),
    Row("Vx_counts_as_V", {"-Vx"}, 0, {}, "@V"),
    Row("S_passed_through", {"-S"}, 0, {"capture zunder -S "}, "@T"),
    Row("lower_case_v_passed_through", {"-v"}, 0, {"capture zunder -v "}, "@T"),
    Row("lower_case_c_passed_through", {"-c", "x"}, 0, {"capture zunder -c x "}, "@T"),
    Row("deb_is_not_passed_on", {"-L", "-deb", "-R"}, 0, {"capture zunder -L -R "}, "@T", 1),
    Row("values_are_not_consumed", {"-p", "-deb"}, 0, {"capture zunder -p "}, "@T", 1),
    Row("tool_options", {"-f", "-a", "-U", "-D", "x.dat"}, 0, {"capture zunder -f -a -U -D x.dat "},
        "@T"),
    // "-C", "-G" and "-s" at the end of the line.
    Row("C_last_shows_help", {"-C"}, 0, {}, "@H"),
    Row("C_last_after_an_ordinary_argument", {"-L", "-C"}, 0, {"capture zunder -L "}, "@H@T"),
    Row("C_last_after_a_complete_C", {"-C", "a.cfg", "-s", "1", "-C"}, 0,
        {kList, "capture zunder -F a.cfg -s 1 "}, "@H@T"),
    Row("C_last_after_a_C_without_serial", {"-C", "a.cfg", "-C"}, 0, {},
        "@H" + string(kSerialError)),
    Row("G_last_is_ordinary_and_needs_no_serial", {"-G"}, 0, {"capture zunder -G "}, "@T"),
    Row("s_last_shows_help_and_sends_nothing", {"-L", "-s"}, 0, {}, "@H"),
    Row("s_alone", {"-s"}, 0, {}, "@H"),
    Row("s_then_V", {"-s", "-V"}, 0, {"capture zunder -s "}, "@V@T"),
    Row("G_then_deb_runs_the_automatic_update", {"-G", "-deb"}, 1, {}, "", 1),
    // Only "-C" consumes its value.
    Row("C_consumes_an_option_like_value", {"-C", "-V", "-s", "1"}, 0,
        {kList, "capture zunder -F -V -s 1 "}, "@T"),
    Row("G_option_word_as_typed", {"-Gx", "out.cfg", "-s", "1"}, 0,
        {kList, "capture zunder -Gx 1 -w out.cfg -s 1 "}, "@T"),
    // Log and trace names.
    Row("l_with_a_name", {"-l", "file.log"}, 0, {"capture zunder -l file.log "}, "@T"),
    Row("l_not_last_gets_no_default", {"-l", "-L"}, 0, {"capture zunder -l -L "}, "@T"),
    Row("t_last", {"-t"}, 0, {"capture zunder -t orvane_trace.log"}, "@T"),
    Row("t_with_a_name", {"-t", "t.log"}, 0, {"capture zunder -t t.log "}, "@T"),
    Row("log_name_from_the_name_as_typed", {"-l"}, 0,
        {"capture zunder -l D:\\tools\\orvane.exe.log"}, "@T", 0, "D:\\tools\\orvane.exe"),
    Row("trace_name_from_a_relative_name", {"-t"}, 0, {"capture zunder -t ./orvane_trace.log"},
        "@T", 0, "./orvane"),
    Row("log_name_from_a_path_with_blanks", {"-l"}, 0,
        {"capture zunder -l \"C:\\Program Files\\orvane\\orvane.exe.log\""}, "@T", 0,
        "C:\\Program Files\\orvane\\orvane.exe"),
    Row("trace_name_from_a_path_with_blanks", {"-t"}, 0,
        {"capture zunder -t \"C:\\Program Files\\orvane\\orvane.exe_trace.log\""}, "@T", 0,
        "C:\\Program Files\\orvane\\orvane.exe"),
    Row("help_names_the_program_as_typed", {"-?"}, 0, {}, "@H", 0, "D:\\tools\\orvane.exe"),
    // Arguments that need quoting.
    Row("passed_argument_with_a_blank", {"-F", "FW v2.dat"}, 0,
        {"capture zunder -F \"FW v2.dat\" "}, "@T"),
    Row("C_value_with_a_blank", {"-C", "my cfg.dat", "-s", "1"}, 0,
        {kList, "capture zunder -F \"my cfg.dat\" -s 1 "}, "@T"),
    Row("serial_with_a_blank", {"-s", "12 34", "-U"}, 0, {"capture zunder -s \"12 34\" -U "}, "@T"),
    Row("empty_argument", {"-p", ""}, 0, {"capture zunder -p \"\" "}, "@T"),
    Row("argument_with_a_quote", {"-p", "a\"b"}, 0, {"capture zunder -p a\\\"b "}, "@T"),
    Row("backslashes_without_blanks_unchanged", {"-p", "C:\\fw\\"}, 0,
        {"capture zunder -p C:\\fw\\ "}, "@T"),
    // An incomplete device command ends the run: no automatic update after the message.
    Row("C_without_serial", {"-C", "cfg.dat"}, 0, {}, kSerialError),
    Row("C_and_deb_without_serial", {"-C", "cfg.dat", "-deb"}, 0, {}, kSerialError, 1),
    Row("deb_and_C_without_serial", {"-deb", "-C", "cfg.dat"}, 0, {}, kSerialError, 1),
    Row("G_without_serial", {"-G", "out.cfg"}, 0, {}, kSerialError),
    Row("s_last_after_C_sends_nothing", {"-C", "cfg.dat", "-s"}, 0, {}, "@H"),
    // The device check.
    Row("C_without_devices", {"-C", "cfg.dat", "-s", "123"}, 0, {kList}, "\nNo devices found", 0,
        "orvane", 0),
    Row("G_without_devices", {"-G", "out.cfg", "-s", "123"}, 0, {kList}, "\nNo devices found", 0,
        "orvane", 0),
    Row("no_check_without_C_or_G", {"-s", "123", "-U"}, 0, {"capture zunder -s 123 -U "}, "@T", 0,
        "orvane", 0),
};

class ParseCommandLine : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseCommandLine, SendsTheToolCommandAndSaysWhatFollows) {
  const ParseCase& c = GetParam();
  CFakeRunner runner;
  if (c.devices) runner.m_replies[kListCommand] = kDeviceListing;
  for (const string& event : c.events) {
    const string prefix = "capture ";
    if (event != kList && event.compare(0, prefix.size(), prefix) == 0) {
      runner.m_replies[event.substr(prefix.size())] = kToolOutput;
    }
  }
  CFakeFinder finder;
  CUpdateManager manager(runner, finder);
  manager.Reset();
  std::vector<string> arguments = {c.program};
  arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
  CArguments argv(arguments);
  BeginCapture();
  int result = manager.ParseCommandLine(argv.Count(), argv.Vector());
  string output = EndCapture();
  EXPECT_EQ(result, c.result);
  EXPECT_EQ(Joined(runner.m_events), Joined(c.events));
  EXPECT_EQ(output, Expand(c.output, c.program));
  EXPECT_EQ(manager.m_debug, c.debug);
}

INSTANTIATE_TEST_SUITE_P(Cases, ParseCommandLine, ::testing::ValuesIn(kParseCases),
                         [](const ::testing::TestParamInfo<ParseCase>& info) {
                           return string(info.param.name);
                         });

// What the tool's run shows: its output, the help screen in place of its usage banner, or the
// text that says it cannot be found.
struct OutcomeCase {
  const char* name;
  std::vector<string> arguments;
  string reply;  // the tool's output for the last command
  int missing;   // the tool cannot be started
  int pipeFails;
  string output;
};
void PrintTo(const OutcomeCase& row, std::ostream* os) { *os << row.name; }

const OutcomeCase kOutcomeCases[] = {
    {"output_shown_as_it_is",
     {"-L"},
     "PID:C7E3 COMP:1 EC:0105 100%s\n",
     0,
     0,
     "PID:C7E3 COMP:1 EC:0105 100%s\n"},
    {"every_byte_shown", {"-L"}, string("a\0b\x01\n", 5), 0, 0, string("a\0b\x01\n", 5)},
    {"empty_output_shows_nothing", {"-L"}, "", 0, 0, ""},
    {"usage_banner_shows_help",
     {"-X"},
     "Unknown option -X\nUsage: tavrinset [-L] ...\n",
     0,
     0,
     "@H"},
    {"usage_banner_anywhere_shows_help", {"-X"}, "xUsage: tavrinsetx", 0, 0, "@H"},
    {"other_case_of_the_banner_is_shown", {"-X"}, "usage: tavrinset\n", 0, 0, "usage: tavrinset\n"},
    {"tool_missing",
     {"-L"},
     "",
     1,
     0,
     "\nError code(2): Can not find zunder.exe!\nCan not find zunder.exe"},
    {"pipe_failure", {"-L"}, "", 0, 1, "Can not find zunder.exe"},
};

class ToolOutcome : public ::testing::TestWithParam<OutcomeCase> {};

TEST_P(ToolOutcome, IsShown) {
  const OutcomeCase& c = GetParam();
  CFakeRunner runner;
  string command = "zunder";
  for (const string& argument : c.arguments) command += " " + argument;
  command += " ";
  runner.m_replies[command] = c.reply;
  if (c.missing) runner.m_missing.insert(command);
  runner.m_pipeFails = c.pipeFails;
  CFakeFinder finder;
  CUpdateManager manager(runner, finder);
  manager.Reset();
  std::vector<string> arguments = {"orvane"};
  arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
  CArguments argv(arguments);
  BeginCapture();
  EXPECT_EQ(manager.ParseCommandLine(argv.Count(), argv.Vector()), 0);
  EXPECT_EQ(EndCapture(), Expand(c.output, "orvane"));
}

INSTANTIATE_TEST_SUITE_P(Cases, ToolOutcome, ::testing::ValuesIn(kOutcomeCases),
                         [](const ::testing::TestParamInfo<OutcomeCase>& info) {
                           return string(info.param.name);
                         });

TEST(DeviceCheck, ListingToolMissingMeansNoDevices) {
  CFakeRunner runner;
  runner.m_missing.insert(kListCommand);
  CFakeFinder finder;
  CUpdateManager manager(runner, finder);
  manager.Reset();
  CArguments argv({"orvane", "-C", "cfg.dat", "-s", "123"});
  BeginCapture();
  EXPECT_EQ(manager.ParseCommandLine(argv.Count(), argv.Vector()), 0);
  EXPECT_EQ(EndCapture(), "\nError: Create process failure(2) !\n\nNo devices found");
  EXPECT_TRUE(runner.m_events.empty());
}

// The whole run: what the entry function does after the scan.
struct WholeRunCase {
  const char* name;
  std::vector<string> arguments;
  std::vector<string> events;
};
void PrintTo(const WholeRunCase& row, std::ostream* os) { *os << row.name; }

const WholeRunCase kWholeRunCases[] = {
    {"configuration_without_serial_flashes_nothing", {"orvane", "-C", "cfg.dat"}, {}},
    {"G_then_deb_goes_on_to_the_automatic_update",
     {"orvane", "-G", "-deb"},
     {kList, "run zunder -F A.dat", "pause 3000"}},
    {"autofw_goes_on_to_the_automatic_update",
     {"orvane", "-autofw"},
     {kList, "run zunder -F A.dat", "pause 3000"}},
    {"passed_through_command_ends_the_run", {"orvane", "-L"}, {"capture zunder -L "}},
};

class WholeRun : public ::testing::TestWithParam<WholeRunCase> {};

TEST_P(WholeRun, FollowsTheScan) {
  const WholeRunCase& c = GetParam();
  CFakeRunner runner;
  runner.m_replies[kListCommand] = "PID:C7E3 COMP:1 EC:0100\n";
  CFakeFinder finder;
  finder.Add("A.dat", FirmwareHeader("C7E3", "101", 1));
  finder.Add("cfg.dat", FirmwareHeader("C7E3", "100", 1));
  CUpdateManager manager(runner, finder);
  CArguments argv(c.arguments);
  BeginCapture();
  EXPECT_EQ(manager.Run(argv.Count(), argv.Vector()), 0);
  EndCapture();
  EXPECT_EQ(Joined(runner.m_events), Joined(c.events));
}

INSTANTIATE_TEST_SUITE_P(Cases, WholeRun, ::testing::ValuesIn(kWholeRunCases),
                         [](const ::testing::TestParamInfo<WholeRunCase>& info) {
                           return string(info.param.name);
                         });

}  // namespace
