#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>

#include "launcher_shell.h"

namespace {

class CPosixLauncherShell : public CLauncherShell {
 public:
  void Print(const char* text) override { fputs(text, stdout); }
  int QuotePath(const char* path, char* quoted, size_t size) override;
  int Run(const char* commandLine) override;
  void Pause() override;
};

// Inside single quotes /bin/sh takes every character as it is, so only a single quote itself
// needs care: it ends the quoted part, stands escaped, and a new quoted part begins.
int CPosixLauncherShell::QuotePath(const char* path, char* quoted, size_t size) {
  size_t length = 0;
  auto append = [&](const char* text) {
    for (; *text; ++text) {
      if (length + 1 >= size) return false;
      quoted[length++] = *text;
    }
    return true;
  };
  if (!append("'")) return 0;
  for (const char* c = path; *c; ++c) {
    const char single[2] = {*c, '\0'};
    if (!append(*c == '\'' ? "'\\''" : single)) return 0;
  }
  if (!append("'")) return 0;
  quoted[length] = '\0';
  return 1;
}

int CPosixLauncherShell::Run(const char* commandLine) {
  // What this program printed must come before anything the command prints.
  fflush(stdout);
  int status = system(commandLine);
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

static CPosixLauncherShell g_shell;

CLauncherShell& SystemLauncherShell() { return g_shell; }
