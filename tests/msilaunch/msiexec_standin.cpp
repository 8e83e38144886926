// Stands in for msiexec in the msilaunch tests. Every start appends one line to the file named by
// MSIEXEC_STANDIN_LOG, each argument in brackets ("[/i][pkg.msi][/quiet]"), and ends with the
// status named by MSIEXEC_STANDIN_STATUS (decimal, 0 when unset; -5 and 3000000000 are the same
// 32-bit code).
#include <stdio.h>
#include <stdlib.h>

#include <string>

int main(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) line += std::string("[") + argv[i] + "]";
  line += "\n";
  const char* logPath = getenv("MSIEXEC_STANDIN_LOG");
  if (logPath && *logPath) {
    FILE* log = fopen(logPath, "ab");
    if (log) {
      fputs(line.c_str(), log);
      fclose(log);
    }
  }
  const char* status = getenv("MSIEXEC_STANDIN_STATUS");
  long long value = status ? strtoll(status, nullptr, 10) : 0;
  return static_cast<int>(static_cast<unsigned>(value));
}
