#include "msilaunch.h"

#include <stdio.h>
#include <string.h>

namespace {

// msiexec's statuses that mean the operation succeeded but needs a restart to finish: one is
// still to be done, or the installer has already started it.
const int kStatusRestartRequired = 3010;
const int kStatusRestartInitiated = 1641;
const int kStatusPackageUnopenable = 1619;

// Failures common enough to deserve a word on what they mean.
struct StatusNote {
  int status;
  const char* line;
};
const StatusNote kStatusNotes[] = {
    {1602, "\n\tThe operation was cancelled."},
    {1603, "\n\tA fatal error occurred during the operation."},
    {1605, "\n\tThis product is not installed."},
    {1618, "\n\tAnother installation is in progress; try again when it has finished."},
    {1620,
     "\n\tThe package could not be opened; check that it is a valid Windows Installer package."},
    {1633, "\n\tThis package is not supported on this platform."},
    {1638, "\n\tAnother version of this product is already installed."},
};

void PrintFailure(CLauncherShell& shell, int status, const char* commandWord) {
  char line[96];
  snprintf(line, sizeof(line), "\nError code(%d): %s failure !!!", status, commandWord);
  shell.Print(line);
  for (const StatusNote& note : kStatusNotes) {
    if (note.status == status) shell.Print(note.line);
  }
  shell.Print("\n");
}

}  // namespace

void LowerAscii(char* text) {
  for (; *text; ++text) {
    if (*text >= 'A' && *text <= 'Z') *text = static_cast<char>(*text - 'A' + 'a');
  }
}

void PrintUsage(CLauncherShell& shell, const char* name) {
  shell.Print("\nUsage: ");
  shell.Print(name);
  shell.Print(" FileName.msi command\n\n");
  shell.Print("  The exclusive commands accepted are:\n");
  shell.Print("    install\tInstall the FileName.msi\n");
  shell.Print("    uninstall\tUninstall the original installed FileName.msi\n\n");
  shell.Pause();
}

int BuildCommandLine(const char* commandWord, const char* quotedPath,
                     char (&commandLine)[kCommandLineSize]) {
  // Only the leading letters count, so "installnow" installs and "uninstaller" removes.
  const char* format = nullptr;
  if (strncmp(commandWord, "install", 7) == 0) {
    format = "msiexec /i %s /quiet";
  } else if (strncmp(commandWord, "uninstall", 9) == 0) {
    format = "msiexec /x %s /qn";
  } else {
    return 0;
  }
  int length = snprintf(commandLine, sizeof(commandLine), format, quotedPath);
  return length > 0 && length < static_cast<int>(sizeof(commandLine));
}

void ReportStatus(CLauncherShell& shell, int status, const char* commandWord,
                  const char* packagePath) {
  if (status == 0) return;
  if (status == 1) {
    shell.Print("\n");
  } else if (status == kStatusPackageUnopenable) {
    char line[128];
    snprintf(line, sizeof(line), "\nError:  The installation package(%s) could not be opened.",
             packagePath);
    shell.Print(line);
    shell.Print("\n\tPlease check the package exists and that you can access it");
    shell.Print("\n");
  } else if (status == kStatusRestartRequired || status == kStatusRestartInitiated) {
    char line[96];
    snprintf(line, sizeof(line), "\nSuccess: restart the computer to complete the %s.",
             commandWord);
    shell.Print(line);
    shell.Print("\n");
  } else {
    PrintFailure(shell, status, commandWord);
  }
  shell.Pause();
}

int LaunchMain(int argc, char** argv, CLauncherShell& shell) {
  const char* name = argc > 0 && argv[0] ? argv[0] : "msilaunch";
  if (argc < 3) {
    PrintUsage(shell, name);
    return 0;
  }

  // Both arguments live in buffers of fixed size; one that does not fit is refused, never cut,
  // since a cut path or word would name something the user did not ask for.
  if (strlen(argv[1]) > kPackagePathSize - 1) {
    shell.Print("\nError: the package path is longer than 51 characters.");
    PrintUsage(shell, name);
    return 0;
  }
  if (strlen(argv[2]) > kCommandWordSize - 1) {
    shell.Print("\nError: the command word is longer than 19 characters.");
    PrintUsage(shell, name);
    return 0;
  }
  char packagePath[kPackagePathSize];
  char commandWord[kCommandWordSize];
  memcpy(packagePath, argv[1], strlen(argv[1]) + 1);
  memcpy(commandWord, argv[2], strlen(argv[2]) + 1);
  LowerAscii(commandWord);

  char quotedPath[kQuotedPathSize];
  char commandLine[kCommandLineSize];
  if (!shell.QuotePath(packagePath, quotedPath, sizeof(quotedPath)) ||
      !BuildCommandLine(commandWord, quotedPath, commandLine)) {
    PrintUsage(shell, name);
    return 0;
  }
  ReportStatus(shell, shell.Run(commandLine), commandWord, packagePath);
  return 0;
}
