#include <stdio.h>
#include <stdlib.h>

#include "launcher_shell.h"

namespace {

class CWin32LauncherShell : public CLauncherShell {
 public:
  void Print(const char* text) override { fputs(text, stdout); }
  int QuotePath(const std::string& path, std::string& quoted) override;
  int Run(const std::string& commandLine) override;
  void Pause() override;
};

// Inside double quotes cmd takes & | < > ^ ( ) and blanks as they are; what it still acts on is a
// double quote, which would end the quoted part, a control character, which can end the command
// line, and a pair of percent signs, between which it puts the value of a variable (one of them,
// CMDCMDLINE, holds this very command line with its quotes). No Windows file name holds a double
// quote or a control character; a name with two percent signs is refused too, as cmd offers no
// escape for them on its command line.
int CWin32LauncherShell::QuotePath(const std::string& path, std::string& quoted) {
  int percentSigns = 0;
  for (char c : path) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (c == '"' || byte < 32) return 0;
    if (c == '%') ++percentSigns;
  }
  if (percentSigns > 1) return 0;
  quoted = "\"" + path + "\"";
  return 1;
}

// The C runtime's system() starts COMSPEC, or cmd.exe when that is not set, with "/c" and the
// command line, and gives the interpreter's exit code, or -1 when none could be started. (Wine's
// runtime looks for that cmd.exe in the current folder alone, so there an unset COMSPEC gives -1.)
int CWin32LauncherShell::Run(const std::string& commandLine) {
  // What this program printed must come before anything the command prints.
  fflush(stdout);
  return system(commandLine.c_str());
}

void CWin32LauncherShell::Pause() {
  fflush(stdout);
  system("pause");
}

}  // namespace

CLauncherShell& SystemLauncherShell() {
  static CWin32LauncherShell shell;
  return shell;
}
