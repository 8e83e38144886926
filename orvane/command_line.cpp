// The option scan. Without arguments the automatic update runs. With arguments, a few options
// are handled here (verbose mode, version, help), "-C" and "-G" are turned into the update
// tool's own syntax, and everything else goes to the tool unchanged, on one command line whose
// output is shown. Options match by their first characters, case counting.
#include <stdio.h>
#include <string.h>

#include "command_line_text.h"
#include "console_output.h"
#include "help_text.h"
#include "update_manager.h"

namespace {

bool StartsWith(const char* argument, const char* option) {
  return strncmp(argument, option, strlen(option)) == 0;
}

}  // namespace

int CUpdateManager::ParseCommandLine(int argc, char** argv) {
  if (argc < 2) return 1;

  int runAutomatic = 1;
  int passThrough = 0;
  const std::string invocationName = argv[0] ? argv[0] : "";
  std::string command = m_toolName + " ";

  for (int i = 1; i < argc; ++i) {
    const char* argument = argv[i];
    const bool isLast = i == argc - 1;
    if (StartsWith(argument, "-deb")) {
      m_debug = 1;
      continue;
    }
    if (StartsWith(argument, "-V")) {
      PrintVersion();
      runAutomatic = 0;
      break;
    }
    if (StartsWith(argument, "-autofw")) return runAutomatic;
    if (StartsWith(argument, "-?")) {
      PrintHelp(argc, argv);
      runAutomatic = 0;
      break;
    }
    if (StartsWith(argument, "-C")) {
      if (isLast) {
        PrintHelp(argc, argv);
        runAutomatic = 0;
        break;
      }
      // "-C" takes its value whatever it looks like; the tool writes a configuration with -F.
      command += "-F " + QuoteArgument(argv[++i]) + " ";
      m_needSerial = 1;
      passThrough = 1;
      continue;
    }
    if (StartsWith(argument, "-G") && !isLast) {
      // The file name that follows is scanned like any other argument.
      command += QuoteArgument(argument) + " 1 -w ";
      m_needSerial = 1;
      continue;
    }

    passThrough = 1;
    command += QuoteArgument(argument) + " ";
    if (StartsWith(argument, "-l") && isLast) command += QuoteArgument(invocationName + ".log");
    if (StartsWith(argument, "-t") && isLast) {
      command += QuoteArgument(invocationName + "_trace.log");
    }
    if (StartsWith(argument, "-s")) {
      if (isLast) {
        PrintHelp(argc, argv);
        passThrough = 0;
      } else {
        m_serialGiven = 1;
      }
    }
    runAutomatic = 0;
  }

  if (!passThrough) return runAutomatic;

  if (m_needSerial) {
    // An incomplete device command ends the run: it never leads on to flashing.
    if (!m_serialGiven) {
      printf("\nError--Required -s<serial#>option.");
      return 0;
    }
    if (!ListDevices()) {
      printf("\nNo devices found");
      return runAutomatic;
    }
  }

  const std::string notFound = "Can not find " + m_toolName + ".exe";
  std::string text = notFound;
  RunProcess(command, notFound.c_str(), text, 1);
  if (text.find("Usage: tavrinset") != std::string::npos) {
    PrintHelp(argc, argv);
  } else {
    WriteVerbatim(text.data(), text.size());
  }
  return runAutomatic;
}
