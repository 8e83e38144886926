// Starts a program with a lower limit of open files: open_file_limit N PROGRAM [ARGUMENT...].
// Every descriptor but the standard three is closed first, so that the program has exactly
// N - 3 free ones whatever its parent left open. Exits with 127 when the program cannot start.
#include <stdio.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>

int main(int argc, char** argv) {
  if (argc < 3) {
    fputs("usage: open_file_limit N PROGRAM [ARGUMENT...]\n", stderr);
    return 127;
  }
  struct rlimit limit;
  if (getrlimit(RLIMIT_NOFILE, &limit) != 0) return 127;
  for (rlim_t descriptor = 3; descriptor < limit.rlim_cur && descriptor < 65536; ++descriptor) {
    close(static_cast<int>(descriptor));
  }
  limit.rlim_cur = strtoul(argv[1], nullptr, 10);
  if (setrlimit(RLIMIT_NOFILE, &limit) != 0) {
    perror("open_file_limit: setrlimit");
    return 127;
  }
  execvp(argv[2], argv + 2);
  perror("open_file_limit: execvp");
  return 127;
}
