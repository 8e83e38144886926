#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

#include "sim_process.h"

namespace {

// The holder is this program again, with this first argument and the seconds after it; the
// text goes to it through the environment, which it inherits.
const char kHolderArgument[] = "--zunder-holder";
const char kHolderTextVariable[] = "ZUNDER_HOLDER_TEXT";

}  // namespace

void EndAtOnce() { TerminateProcess(GetCurrentProcess(), 137); }

int LeaveHolder(unsigned seconds, const std::string& text) {
  char program[MAX_PATH];
  DWORD length = GetModuleFileNameA(NULL, program, sizeof(program));
  if (length == 0 || length >= sizeof(program)) return 0;
  if (!SetEnvironmentVariableA(kHolderTextVariable, text.c_str())) return 0;

  HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  SetHandleInformation(output, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
  STARTUPINFOA startup;
  ZeroMemory(&startup, sizeof(startup));
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = NULL;
  startup.hStdOutput = output;
  startup.hStdError = output;

  char commandLine[MAX_PATH + 64];
  snprintf(commandLine, sizeof(commandLine), "\"%s\" %s %u", program, kHolderArgument, seconds);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(program, commandLine, NULL, NULL, TRUE, NORMAL_PRIORITY_CLASS, NULL, NULL,
                      &startup, &process)) {
    return 0;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 1;
}

int ActAsHolder(int argc, char** argv) {
  if (argc != 3 || strcmp(argv[1], kHolderArgument) != 0) return 0;
  Sleep(static_cast<DWORD>(strtoul(argv[2], NULL, 10)) * 1000);
  const char* text = getenv(kHolderTextVariable);
  if (text) fputs(text, stdout);
  fflush(stdout);
  return 1;
}
