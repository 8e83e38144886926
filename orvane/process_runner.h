// Starting one child process and waiting for its end. One implementation per platform:
// process_runner_win32.cpp and process_runner_posix.cpp.
#pragma once

#include <string>

// What became of one start. All fields are 0/1 flags but the error number.
struct ProcessOutcome {
  int pipeCreated;             // 0: the output pipe could not be made and nothing was started
  int started;                 // 1: the child ran and has ended
  unsigned long errorNumber;   // the platform's error number when the start failed
};

class CProcessRunner {
 public:
  virtual ~CProcessRunner() {}

  // Runs commandLine (its first word names the program, found by the platform's command search)
  // and waits until it has ended. With capture set, everything the child writes to standard
  // output and standard error is appended to captured, every byte in order, and the child has no
  // standard input; otherwise the child shares this program's console. A pipe is made in both
  // modes, so a failure to make one keeps any command from running.
  virtual ProcessOutcome Run(const std::string& commandLine, int capture,
                             std::string& captured) = 0;

  // The pause between two device updates.
  virtual void Pause(unsigned milliseconds) = 0;
};

// The platform's own runner.
CProcessRunner& SystemProcessRunner();
