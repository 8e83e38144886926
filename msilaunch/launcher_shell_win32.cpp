#include <stdio.h>
#include <stdlib.h>

#include "launcher_shell.h"

namespace {

class CWin32LauncherShell : public CLauncherShell {
 public:
  void Print(const char* text) override { fputs(text, stdout); }
  int QuotePath(const char* path, char* quoted, size_t size) override;
  int Run(const char* commandLine) override;
  void Pause() override;
};

// Inside double quotes cmd takes & | < > ^ ( ) and blanks as they are; what it still acts on is a
// double quote, which would end the quoted part, a control character, which can end the command
// line, and a pair of percent signs, between which it puts the value of a variable (one of them,
// CMDCMDLINE, holds this very command line with its quotes). No Windows file name holds a double
// quote or a control character; a name with two percent signs is refused too, as cmd offers no
// escape for them on its command line.
int CWin32LauncherShell::QuotePath(const char* path, char* quoted, size_t size) {
  int percentSigns = 0;
  for (const char* c = path; *c; ++c) {
    unsigned char byte = static_cast<unsigned char>(*c);
    if (*c == '"' || byte < 32) return 0;
    if (*c == '%') ++percentSigns;
  }
  if (percentSigns > 1) return 0;
  int length = snprintf(quoted, size, "\"%s\"", path);
  return length > 0 && static_cast<size_t>(length) < size;
}

// The C runtime's system() starts COMSPEC, or cmd.exe when that is not set, with "/c" and the
// command line, and gives the interpreter's exit code, or -1 when none could be started. (Wine's
// runtime looks for that cmd.exe in the current folder alone, so there an unset COMSPEC gives -1.)
int CWin32LauncherShell::Run(const char* commandLine) {
  // What this program printed must come before anything the command prints.
  fflush(stdout);
  return system(commandLine);
}

void CWin32LauncherShell::Pause() {
  fflush(stdout);
  system("pause");
}

}  // namespace

// A plain static object, not one local to a function, keeps the thread-safe initialisation
// guard, and with it much of the C++ runtime, out of the program.
static CWin32LauncherShell g_shell;

CLauncherShell& SystemLauncherShell() { return g_shell; }
