#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "file_finder.h"

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Wildcard match without regard to letter case, as the Windows file system matches names.
bool MatchesPattern(const char* pattern, const char* name) {
  const char* starPattern = nullptr;
  const char* starName = nullptr;
  while (*name) {
    if (*pattern == '*') {
      starPattern = pattern++;
      starName = name;
    } else if (*pattern == '?' || (*pattern && LowerAscii(*pattern) == LowerAscii(*name))) {
      ++pattern;
      ++name;
    } else if (starPattern) {
      pattern = starPattern + 1;
      name = ++starName;
    } else {
      return false;
    }
  }
  while (*pattern == '*') ++pattern;
  return *pattern == '\0';
}

class CPosixFileFinder : public CFileFinder {
 public:
  void FindFiles(const char* const* patterns, size_t patternCount,
                 std::vector<std::string>& names) override;
  int ReadHeader(const std::string& name, unsigned char* buffer, size_t size,
                 size_t& bytesRead) override;
};

void CPosixFileFinder::FindFiles(const char* const* patterns, size_t patternCount,
                                 std::vector<std::string>& names) {
  DIR* folder = opendir(".");
  if (!folder) return;
  // One reading of a large folder serves every pattern.
  std::vector<std::vector<std::string>> matches(patternCount);
  while (struct dirent* entry = readdir(folder)) {
    for (size_t i = 0; i < patternCount; ++i) {
      if (MatchesPattern(patterns[i], entry->d_name)) matches[i].push_back(entry->d_name);
    }
  }
  closedir(folder);
  // The folder's own order changes from one file system to the next; byte order makes every
  // run the same.
  for (std::vector<std::string>& found : matches) {
    std::sort(found.begin(), found.end());
    names.insert(names.end(), found.begin(), found.end());
  }
}

int CPosixFileFinder::ReadHeader(const std::string& name, unsigned char* buffer, size_t size,
                                 size_t& bytesRead) {
  bytesRead = 0;
  // Non-blocking, so that a FIFO or a device with a firmware file's name cannot hold the scan.
  int file = open(name.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (file < 0) return 0;
  struct stat status;
  if (fstat(file, &status) != 0 || !S_ISREG(status.st_mode)) {
    close(file);
    return 0;
  }
  while (bytesRead < size) {
    ssize_t got = read(file, buffer + bytesRead, size - bytesRead);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    bytesRead += static_cast<size_t>(got);
  }
  close(file);
  return 1;
}

}  // namespace

CFileFinder& SystemFileFinder() {
  static CPosixFileFinder finder;
  return finder;
}
