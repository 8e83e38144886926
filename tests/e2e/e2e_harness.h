// Runs the installed orvane against the zunder simulator in a scratch folder: the simulator's
// devices or listing, the firmware files, and afterwards what orvane printed and which command
// lines the simulator received.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "test_support.h"

// A firmware file of a case, or a folder with a firmware file's name.
struct E2eFile {
  std::string name;
  std::string bytes;
  int folder;
};

// A file whose content is the 13-byte header.
E2eFile FirmwareFile(const std::string& name, const std::string& pid, const std::string& version,
                     unsigned char comp);
// A file of any content, shorter or longer than a header.
E2eFile PlainFile(const std::string& name, const std::string& bytes);
E2eFile FolderNamed(const std::string& name);

// What the simulator and the folder start with.
struct E2eSetup {
  std::string listing;  // when not empty, "-L" prints these bytes instead of the devices
  std::string devices;  // the simulated devices, one a line: PID COMP VERSION SERIAL
  std::vector<E2eFile> files;
};

// What one run of orvane gave.
struct E2eOutcome {
  std::string output;            // its standard output, every line end as "\n"
  std::vector<std::string> log;  // the command lines the simulator received, trailing blanks cut
};

// A scratch folder, the current folder while the object lives, with the simulator's folder first
// on PATH and its state, log and listing files inside.
class CE2eFolder {
 public:
  CE2eFolder(const std::string& name, const E2eSetup& setup);
  ~CE2eFolder();

  // Takes the simulator's folder off PATH, so that orvane cannot find the tool. Runs orvane
  // outside valgrind from then on (see RunsOutsideValgrind).
  void HideTool();
  // Puts folder first on PATH in place of the simulator's folder, for a tool of its own there.
  void UseToolFolder(const std::string& folder);
  // Runs orvane directly even when kValgrindVariable is set, for a run whose tool cannot start:
  // valgrind turns the shared-memory start of posix_spawn into a plain fork, so the failure of
  // the program's start no longer reaches orvane.
  void RunsOutsideValgrind() { m_underValgrind = 0; }
  // Invokes orvane by this name instead of OrvaneInvocation().
  void SetInvocation(const std::string& invocation) { m_invocation = invocation; }
  // Starts orvane through this program and its arguments, which start the rest of the command
  // line in turn. Such a run is never under valgrind.
  void SetWrapper(const std::vector<std::string>& wrapper) {
    m_wrapper = wrapper;
    m_underValgrind = 0;
  }
  // Sets an environment variable of the run (the simulator's fault modes, a sanitizer's options)
  // until the folder goes, which gives it back its value from before.
  void SetToolVariable(const std::string& name, const std::string& value);

  // Runs orvane with these arguments, each quoted where it needs it, and waits for its end.
  E2eOutcome Run(const std::vector<std::string>& arguments);
  // The same, giving what orvane printed byte for byte.
  std::string RunVerbatim(const std::vector<std::string>& arguments);

  // The simulated devices as the simulator has left them.
  std::string Devices() const;
  const std::string& Path() const { return m_folder.Path(); }

 private:
  CScratchFolder m_folder;
  std::string m_statePath;
  std::string m_logPath;
  std::string m_invocation;
  std::vector<std::string> m_wrapper;
  std::vector<std::pair<std::string, std::string>> m_savedVariables;  // name, value before
  int m_underValgrind;
};

// When this variable names the valgrind program, every run of orvane runs under valgrind's
// memcheck but those named above, and a run whose log shows an error or a leak fails the test.
extern const char kValgrindVariable[];

// How the tests invoke the installed orvane: by its path relative to a scratch folder, so that
// the name it sees as typed, and with it the short name in its help screen and its default log
// name, is the same wherever the build lives.
std::string OrvaneInvocation();
// The short program name that orvane makes of OrvaneInvocation().
std::string OrvaneShortName();

// text with "@ORVANE@" replaced by OrvaneInvocation() and "@NAME@" by OrvaneShortName().
std::string ExpandNames(const std::string& text);
std::vector<std::string> ExpandNames(const std::vector<std::string>& lines);

// Every "\r\n" as "\n": the Windows programs' text mode writes line ends so.
std::string NormaliseLineEnds(const std::string& text);
// line without its trailing blanks.
std::string TrimTrailingBlanks(const std::string& line);
