// The package installer launcher: installs or removes one Windows Installer package silently
// through msiexec and explains the outcome.
#pragma once

#include "launcher_shell.h"

// Room for the package path and the command word, terminator included.
const int kPackagePathSize = 52;
const int kCommandWordSize = 20;
// Room for the quoted path (each character may take four) and for the whole command line.
const int kQuotedPathSize = 4 * (kPackagePathSize - 1) + 3;
const int kCommandLineSize = kQuotedPathSize + 32;

// Changes A-Z into a-z in place; no other character changes.
void LowerAscii(char* text);

// The usage text with the invocation name, then the pause.
void PrintUsage(CLauncherShell& shell, const char* name);

// Builds the msiexec command line for the lower-cased command word: "install..." installs,
// "uninstall..." removes. quotedPath is the path as the shell's QuotePath gave it. Returns 0 when
// the word names neither.
int BuildCommandLine(const char* commandWord, const char* quotedPath,
                     char (&commandLine)[kCommandLineSize]);

// Explains msiexec's status and pauses where the outcome needs the user's attention.
void ReportStatus(CLauncherShell& shell, int status, const char* commandWord,
                  const char* packagePath);

// The whole program: arguments, command, run, report. Returns 0 in every case.
int LaunchMain(int argc, char** argv, CLauncherShell& shell);
