#include <windows.h>

#include <vector>

#include "process_runner.h"

namespace {

class CWin32ProcessRunner : public CProcessRunner {
 public:
  ProcessOutcome Run(const std::string& commandLine, int capture, std::string& captured) override;
  void Pause(unsigned milliseconds) override { Sleep(milliseconds); }
};

ProcessOutcome CWin32ProcessRunner::Run(const std::string& commandLine, int capture,
                                        std::string& captured) {
  ProcessOutcome outcome = {0, 0, 0};

  SECURITY_ATTRIBUTES security = {};
  security.nLength = sizeof(security);
  security.bInheritHandle = TRUE;
  HANDLE readEnd = NULL;
  HANDLE writeEnd = NULL;
  if (!CreatePipe(&readEnd, &writeEnd, &security, 0)) return outcome;
  outcome.pipeCreated = 1;

  STARTUPINFOA startup;
  ZeroMemory(&startup, sizeof(startup));
  startup.cb = sizeof(startup);
  if (capture) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = NULL;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
  }

  // CreateProcessA may write into its command-line buffer.
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  PROCESS_INFORMATION process = {};
  BOOL created = CreateProcessA(NULL, line.data(), NULL, NULL, capture ? TRUE : FALSE,
                                NORMAL_PRIORITY_CLASS, NULL, NULL, &startup, &process);
  if (!created) {
    outcome.errorNumber = GetLastError();
    CloseHandle(writeEnd);
    CloseHandle(readEnd);
    return outcome;
  }
  outcome.started = 1;

  // Only the child's copy of the write end is left, so the pipe ends when the child (and anything
  // that inherited it) has gone.
  CloseHandle(writeEnd);
  if (capture) {
    char buffer[512];
    DWORD bytesRead = 0;
    while (ReadFile(readEnd, buffer, sizeof(buffer), &bytesRead, NULL)) {
      captured.append(buffer, bytesRead);
    }
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  CloseHandle(readEnd);
  return outcome;
}

}  // namespace

CProcessRunner& SystemProcessRunner() {
  static CWin32ProcessRunner runner;
  return runner;
}
