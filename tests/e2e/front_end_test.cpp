// The command-line front end of the installed orvane against the simulator: which command line
// each set of options sends to the tool, what is shown, and whether the automatic update follows,
// which shows in the tool's log as a "-L" listing followed by an update command.
#include <gtest/gtest.h>

#include <filesystem>

#include "e2e_harness.h"

namespace {

// One device, serial number 123, with a newer file of its major level in the folder, and a
// configuration file for "-C" that is older than that file.
const char kDevices[] = "C7E3 1 261 123\n";
E2eSetup OneDevice() {
  return E2eSetup{
      "",
      kDevices,
      {FirmwareFile("fw.dat", "C7E3", "0272", 1), FirmwareFile("cfg.dat", "C7E3", "0265", 1)}};
}

enum Fixture { kOneDevice, kNoDevice, kNoTool };

struct FrontEndCase {
  const char* name;
  std::vector<std::string> arguments;
  std::vector<std::string> log;  // trailing blanks are not compared
  std::string output;
  std::string devicesAfter;  // empty: the device as it was
  Fixture fixture;
};

const std::vector<std::string> kAutomatic = {"zunder -L", "zunder -F fw.dat"};
const char kFlashedDevice[] = "C7E3 1 272 123\n";

const std::string kPlainRun = "zunder: fw.dat flashed to 1 device(s)\n";
const std::string kVerboseRun =
    "\n================= Device found list ================="
    "\nPID:C7E3\nCOMP:1\nVersion:261\n"
    "\n========== The firmware file(s) found list ================="
    "\nFileName:cfg.dat\nPID:C7E3\nCOMP:1\nVersion:265"
    "\nFileName:fw.dat\nPID:C7E3\nCOMP:1\nVersion:272"
    "\n================= Lastest FW files found list ================="
    "\nFileName:fw.dat\nPID:C7E3\nCOMP:1\nVersion:272\n"
    "\n================= Processing firmware update ================="
    "\nzunder -F fw.dat"
    "\nTarget: PID(C7E3) COMP(1) Version(272)"
    "zunder: fw.dat flashed to 1 device(s)\n"
    "\nUpdate fw.dat done";

const std::string kVersion = "\nVelmora\n\nVersion: 1.0.7";
const std::string kListing = "PID:C7E3 COMP:1 EC:0261 SN:123\n";
const std::string kSerialError = "\nError--Required -s<serial#>option.";

// The help screen; "@NAME@" stands for the short program name.
const std::string kHelp =
    "\nUsage:<@NAME@> -command arg.... -option arg......"
    "\nCommands:"
    "\n   -?\t\t Show Help Text"
    "\n   -V\t\t Display <@NAME@> program version"
    "\n   -L\t\t List all attached devices info:"
    "\n\t\t <PID><SN><FW Versions><Configuration Versions><Configuration String>"
    "\n   -R\t\t Reset all attached QELT devices(and controller will disconnect the USB Vbus "
    "1.5Kohm pull"
    "\n\t\t up resistor for several ms for a reset to be observed by the host system?)"
    "\n   -S\t\t Show available firmware file information(*.dat files only) for "
    "available<filename><Component"
    "\n\t\t ID#> FW<Version#> <Version String>"
    "\n   -F <filename> Update devices using only firmware files specified in "
    "<filename>.Multiple\"-F\"s can be"
    "\n\t\t specified on the command line:-F filename1 -F filename2"
    "\n   -D <filename> Display content of firmware/configuration file"
    "\n\t\t <Component ID#>FW/Cfg<Version#><Version String>"
    "\n   -U\t\t Update device, if no options followed, it will update all available devices "
    "with the only"
    "\n\t\t available firmware file in the current folder."
    "\n   -C <filename> Update device using specified configuration file, option -s <serial#> is "
    "required for this"
    "\n\t\t command"
    "\n   -G <filename> Get (Read) configuration from device and store to the specified file, "
    "option -s <serial#> is"
    "\n\t\t required for this command\n"
    "\nOptions:"
    "\n   -s <serial#>  Read/Update device specified by USB Serial Number <Serial#>"
    "\n   -l <filename> Output log data to specified file (default:<@NAME@>.log"
    "\n   -t <filename> Output trace data to specified file (default:<@NAME@>_trace.log"
    "\n   -f \t\t Force (relevel or back-level)update"
    "\n   -p <dirname>  Path to the update files. If no path is specified, the current directory "
    "is used."
    "\n   -a \t\t Continue updating all devices after one failure"
    "\n\nNote:\n  1. <@NAME@> without any commands and options will run the automatic firmware "
    "update process."
    "\n  2. Log file is used for debugging purposes. It is best to interpret by service "
    "personnel."
    "\n  3. Kelbrin can only update the configuration file with the further level, but can't "
    "update the same level or downgrade level configuration file."
    "\n     @NAME@ can update the configuration file with both further level and downgrade level, "
    "but can't update the same level configuration file."
    "\n\n";

const std::string kToolMissing =
    "\nError code(2): Can not find zunder.exe!\nCan not find zunder.exe";
const std::string kListingMissing = "\nError: Create process failure(2) !\n";

std::vector<FrontEndCase> FrontEndCases() {
  return {
      // The common command lines.
      {"no_arguments", {}, kAutomatic, kPlainRun, kFlashedDevice, kOneDevice},
      {"deb", {"-deb"}, kAutomatic, kVerboseRun, kFlashedDevice, kOneDevice},
      {"autofw", {"-autofw"}, kAutomatic, kPlainRun, kFlashedDevice, kOneDevice},
      {"version", {"-V"}, {}, kVersion, "", kOneDevice},
      {"list", {"-L"}, {"zunder -L "}, kListing, "", kOneDevice},
      {"serial_update", {"-s", "123", "-U"}, {"zunder -s 123 -U "}, "", "", kOneDevice},
      {"configure",
       {"-C", "cfg.dat", "-s", "123"},
       {"zunder -L", "zunder -F cfg.dat -s 123 "},
       "zunder: cfg.dat flashed to 1 device(s)\n",
       "C7E3 1 265 123\n",
       kOneDevice},
      {"get_configuration",
       {"-G", "out.cfg", "-s", "123"},
       {"zunder -L", "zunder -G 1 -w out.cfg -s 123 "},
       "zunder: configuration of 123 saved to out.cfg\n",
       "",
       kOneDevice},
      {"default_log", {"-l"}, {"zunder -l @ORVANE@.log"}, "", "", kOneDevice},
      {"list_then_autofw", {"-L", "-autofw"}, {}, "", "", kOneDevice},

      // Edge cases of the scan.
      {"version_before_list", {"-V", "-L"}, {}, kVersion, "", kOneDevice},
      {"list_before_version", {"-L", "-V"}, {"zunder -L "}, kVersion + kListing, "", kOneDevice},
      {"deb_then_list", {"-deb", "-L"}, {"zunder -L "}, kListing, "", kOneDevice},
      {"configure_last", {"-C"}, {}, kHelp, "", kOneDevice},
      {"list_then_configure_last", {"-L", "-C"}, {"zunder -L "}, kHelp + kListing, "", kOneDevice},
      {"configure_twice_last", {"-C", "cfg.dat", "-C"}, {}, kHelp + kSerialError, "", kOneDevice},
      {"serial_last", {"-L", "-s"}, {}, kHelp, "", kOneDevice},
      {"serial_then_version", {"-s", "123", "-V"}, {"zunder -s 123 "}, kVersion, "", kOneDevice},
      {"get_then_deb", {"-G", "-deb"}, kAutomatic, kVerboseRun, kFlashedDevice, kOneDevice},
      {"debug", {"-debug"}, kAutomatic, kVerboseRun, kFlashedDevice, kOneDevice},
      {"version_suffix", {"-Vx"}, {}, kVersion, "", kOneDevice},
      {"upper_case_serial_option", {"-S"}, {"zunder -S "}, "", "", kOneDevice},
      {"log_name", {"-l", "my.log"}, {"zunder -l my.log "}, "", "", kOneDevice},
      {"default_trace", {"-t"}, {"zunder -t @ORVANE@_trace.log"}, "", "", kOneDevice},
      {"blank_in_argument", {"-D", "fw v2.dat"}, {"zunder -D \"fw v2.dat\" "}, "", "", kOneDevice},

      // An incomplete device command is reported and nothing more is done.
      {"configure_without_serial", {"-C", "cfg.dat"}, {}, kSerialError, "", kOneDevice},
      {"deb_configure_without_serial", {"-deb", "-C", "cfg.dat"}, {}, kSerialError, "", kOneDevice},
      {"get_without_serial", {"-G", "out.cfg"}, {}, kSerialError, "", kOneDevice},
      {"configure_no_device",
       {"-C", "cfg.dat", "-s", "123"},
       {"zunder -L"},
       "\nNo devices found",
       "",
       kNoDevice},
      {"get_no_device",
       {"-G", "out.cfg", "-s", "123"},
       {"zunder -L"},
       "\nNo devices found",
       "",
       kNoDevice},

      // The help screen, asked for or shown in place of the tool's usage banner.
      {"help", {"-?"}, {}, kHelp, "", kOneDevice},
      {"unknown_option", {"-x"}, {"zunder -x "}, kHelp, "", kOneDevice},
      {"get_last", {"-G"}, {"zunder -G "}, kHelp, "", kOneDevice},

      // The tool cannot be found.
      {"tool_missing", {"-L"}, {}, kToolMissing, "", kNoTool},
      {"tool_missing_automatic", {}, {}, kListingMissing, "", kNoTool},
      {"tool_missing_configure",
       {"-C", "cfg.dat", "-s", "123"},
       {},
       kListingMissing + "\nNo devices found",
       "",
       kNoTool},
  };
}

// Failure messages name the case rather than dump its bytes.
void PrintTo(const FrontEndCase& c, std::ostream* os) { *os << c.name; }

class FrontEnd : public ::testing::TestWithParam<FrontEndCase> {};

TEST_P(FrontEnd, SendsTheToolItsCommandAndShowsTheResult) {
  const FrontEndCase& c = GetParam();
  E2eSetup setup = OneDevice();
  if (c.fixture == kNoDevice) setup.devices = "";
  CE2eFolder folder(std::string("front_") + c.name, setup);
  if (c.fixture == kNoTool) folder.HideTool();

  E2eOutcome outcome = folder.Run(c.arguments);
  EXPECT_EQ(ExpandNames(c.output), outcome.output);
  std::vector<std::string> log;
  for (const std::string& line : c.log) log.push_back(TrimTrailingBlanks(ExpandNames(line)));
  EXPECT_EQ(log, outcome.log);
  if (c.fixture == kOneDevice) {
    EXPECT_EQ(c.devicesAfter.empty() ? std::string(kDevices) : c.devicesAfter, folder.Devices());
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, FrontEnd, ::testing::ValuesIn(FrontEndCases()),
                         [](const ::testing::TestParamInfo<FrontEndCase>& info) {
                           return std::string(info.param.name);
                         });

// The installed program's own folder holds no tool, so hiding the simulator's folder hides the
// tool (a Windows program is looked for in its own folder first).
TEST(FrontEndTool, IsNotInstalledBesideOrvane) {
  EXPECT_FALSE(std::filesystem::exists(TestProgram(TEST_STAGE_BIN_DIR, "zunder")));
}

// A default log name made from an invocation path with a blank reaches the tool as one argument.
TEST(FrontEndInvocation, PathWithBlankGivesOneLogName) {
  CE2eFolder folder("front_invocation_with_blank", OneDevice());
  const std::string program = std::string("orvane") + TEST_EXE_SUFFIX;
  std::filesystem::create_directories("Program Files/orvane");
  std::filesystem::copy_file(TestProgram(TEST_STAGE_BIN_DIR, "orvane"),
                             "Program Files/orvane/" + program);
  folder.SetInvocation("Program Files/orvane/" + program);

  E2eOutcome outcome = folder.Run({"-l"});
  EXPECT_EQ("", outcome.output);
  EXPECT_EQ(std::vector<std::string>{"zunder -l \"Program Files/orvane/" + program + ".log\""},
            outcome.log);
}

}  // namespace
