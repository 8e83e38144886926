#include <errno.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <vector>

#include "command_line_text.h"
#include "process_runner.h"

extern char** environ;

namespace {

class CPosixProcessRunner : public CProcessRunner {
 public:
  ProcessOutcome Run(const std::string& commandLine, int capture, std::string& captured) override;
  void Pause(unsigned milliseconds) override;
};

ProcessOutcome CPosixProcessRunner::Run(const std::string& commandLine, int capture,
                                        std::string& captured) {
  ProcessOutcome outcome = {0, 0, 0};

  // Close-on-exec keeps both ends out of the child; dup2 gives it the write end as its output.
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) return outcome;
  outcome.pipeCreated = 1;

  std::vector<std::string> arguments;
  SplitCommandLine(commandLine, arguments);
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(&argument[0]);
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (capture) {
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, ends[1], 1);
    posix_spawn_file_actions_adddup2(&actions, ends[1], 2);
  }
  pid_t child = 0;
  int error = arguments.empty() || arguments[0].empty()
                  ? ENOENT
                  : posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(ends[1]);
  if (error != 0) {
    outcome.errorNumber = static_cast<unsigned long>(error);
    close(ends[0]);
    return outcome;
  }
  outcome.started = 1;

  if (capture) {
    // A pipe holds 64 KiB; reading it whole at each wake keeps a long listing from costing a
    // system call and a context switch per 512 bytes. What is captured is the same.
    char buffer[65536];
    for (;;) {
      ssize_t bytesRead = read(ends[0], buffer, sizeof(buffer));
      if (bytesRead > 0) {
        captured.append(buffer, static_cast<size_t>(bytesRead));
      } else if (bytesRead < 0 && errno == EINTR) {
        continue;
      } else {
        break;
      }
    }
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  close(ends[0]);
  return outcome;
}

void CPosixProcessRunner::Pause(unsigned milliseconds) {
  struct timespec wait;
  wait.tv_sec = milliseconds / 1000;
  wait.tv_nsec = static_cast<long>(milliseconds % 1000) * 1000000L;
  while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
  }
}

}  // namespace

CProcessRunner& SystemProcessRunner() {
  static CPosixProcessRunner runner;
  return runner;
}
