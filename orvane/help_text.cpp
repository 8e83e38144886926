#include "help_text.h"

#include <stdio.h>

#ifndef ORVANE_VERSION
#error "the build defines ORVANE_VERSION"
#endif

namespace {

// One row of the help screen. Rows of kind 1 carry one "%s" that receives the short program
// name; rows of kind 0 are printed as they are. A row without text ends the table.
struct HELP_LINE {
  unsigned char kind;
  const char* text;
};

const HELP_LINE kHelpLines[] = {
    {1, "Usage:<%s> -command arg.... -option arg......"},
    {0, "Commands:"},
    {0, "   -?\t\t Show Help Text"},
    {1, "   -V\t\t Display <%s> program version"},
    {0, "   -L\t\t List all attached devices info:"},
    {0, "\t\t <PID><SN><FW Versions><Configuration Versions><Configuration String>"},
    {0, "   -R\t\t Reset all attached QELT devices(and controller will disconnect the USB Vbus "
        "1.5Kohm pull"},
    {0, "\t\t up resistor for several ms for a reset to be observed by the host system?)"},
    {0, "   -S\t\t Show available firmware file information(*.dat files only) for "
        "available<filename><Component"},
    {0, "\t\t ID#> FW<Version#> <Version String>"},
    {0, "   -F <filename> Update devices using only firmware files specified in "
        "<filename>.Multiple\"-F\"s can be"},
    {0, "\t\t specified on the command line:-F filename1 -F filename2"},
    {0, "   -D <filename> Display content of firmware/configuration file"},
    {0, "\t\t <Component ID#>FW/Cfg<Version#><Version String>"},
    {0, "   -U\t\t Update device, if no options followed, it will update all available devices "
        "with the only"},
    {0, "\t\t available firmware file in the current folder."},
    {0, "   -C <filename> Update device using specified configuration file, option -s <serial#> "
        "is required for this"},
    {0, "\t\t command"},
    {0, "   -G <filename> Get (Read) configuration from device and store to the specified file, "
        "option -s <serial#> is"},
    {0, "\t\t required for this command\n"},
    {0, "Options:"},
    {0, "   -s <serial#>  Read/Update device specified by USB Serial Number <Serial#>"},
    {1, "   -l <filename> Output log data to specified file (default:<%s>.log"},
    {1, "   -t <filename> Output trace data to specified file (default:<%s>_trace.log"},
    {0, "   -f \t\t Force (relevel or back-level)update"},
    {0, "   -p <dirname>  Path to the update files. If no path is specified, the current "
        "directory is used."},
    {0, "   -a \t\t Continue updating all devices after one failure"},
    {1, "\nNote:\n  1. <%s> without any commands and options will run the automatic firmware "
        "update process."},
    {0, "  2. Log file is used for debugging purposes. It is best to interpret by service "
        "personnel."},
    {0, "  3. Kelbrin can only update the configuration file with the further level, but can't "
        "update the same level or downgrade level configuration file."},
    {1, "     %s can update the configuration file with both further level and downgrade level, "
        "but can't update the same level configuration file."},
    {0, nullptr},
};

const size_t kShortNameLength = 30;

}  // namespace

std::string ShortProgramName(const char* invocationName) {
  std::string name;
  for (const char* c = invocationName; c && *c && name.size() < kShortNameLength; ++c) {
    if (*c != '.' && *c != '/') name += *c;
  }
  return name;
}

std::string HelpText(const char* invocationName) {
  const std::string shortName = ShortProgramName(invocationName);
  std::string text;
  for (const HELP_LINE* row = kHelpLines; row->text; ++row) {
    std::string line = row->text;
    if (row->kind == 1) {
      size_t at = line.find("%s");
      if (at != std::string::npos) line.replace(at, 2, shortName);
    }
    text += '\n';
    text += line;
  }
  text += "\n\n";
  return text;
}

void PrintVersion() {
  printf("\nVelmora");
  printf("\n\nVersion: %s", ORVANE_VERSION);
}

void PrintHelp(int argc, char** argv) {
  const std::string text = HelpText(argc > 0 ? argv[0] : "");
  fwrite(text.data(), 1, text.size(), stdout);
}
