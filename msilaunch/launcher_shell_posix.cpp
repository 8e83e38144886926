#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>

#include "launcher_shell.h"

namespace {

class CPosixLauncherShell : public CLauncherShell {
 public:
  void Print(const char* text) override { fputs(text, stdout); }
  int QuotePath(const std::string& path, std::string& quoted) override;
  int Run(const std::string& commandLine) override;
  void Pause() override;
};

// Inside single quotes /bin/sh takes every character as it is, so only a single quote itself
// needs care: it ends the quoted part, stands escaped, and a new quoted part begins.
int CPosixLauncherShell::QuotePath(const std::string& path, std::string& quoted) {
  quoted = "'";
  for (char c : path) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  quoted += "'";
  return 1;
}

int CPosixLauncherShell::Run(const std::string& commandLine) {
  // What this program printed must come before anything the command prints.
  fflush(stdout);
  int status = system(commandLine.c_str());
  if (status == -1) return -1;
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  // A command ended by a signal reads as the shells report it.
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

// /bin/sh has no pause command. A line, or the end of the input, ends the wait, so that a run
// without standard input goes on at once.
void CPosixLauncherShell::Pause() {
  fputs("Press Enter to continue . . . ", stdout);
  fflush(stdout);
  int c = 0;
  do {
    c = fgetc(stdin);
  } while (c != EOF && c != '\n');
}

}  // namespace

CLauncherShell& SystemLauncherShell() {
  static CPosixLauncherShell shell;
  return shell;
}
