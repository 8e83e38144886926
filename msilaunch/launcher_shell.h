// What msilaunch needs of the platform: its console, the command interpreter and the pause. One
// implementation per platform: launcher_shell_win32.cpp and launcher_shell_posix.cpp.
#pragma once

#include <stddef.h>

class CLauncherShell {
 public:
  virtual ~CLauncherShell() {}

  // Writes text to standard output as it is.
  virtual void Print(const char* text) = 0;

  // Writes into quoted (room for size bytes) the package path in the form in which it stands on
  // the interpreter's command line as one argument of which nothing is read as command text.
  // Returns 0 when the path cannot be written so, or does not fit.
  virtual int QuotePath(const char* path, char* quoted, size_t size) = 0;

  // Runs commandLine through the command interpreter and waits for it. Returns the command's exit
  // code, taken as a signed 32-bit number, or -1 when no interpreter could be started.
  virtual int Run(const char* commandLine) = 0;

  // Holds the console until the user answers, so that a window opened for this program alone
  // stays on screen.
  virtual void Pause() = 0;
};

// The platform's own shell.
CLauncherShell& SystemLauncherShell();
