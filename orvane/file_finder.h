// Wildcard listing of the current folder and the read of a file's first bytes. One
// implementation per platform: file_finder_win32.cpp and file_finder_posix.cpp.
#pragma once

#include <stddef.h>

#include <string>
#include <vector>

class CFileFinder {
 public:
  virtual ~CFileFinder() {}

  // Searches the current folder once for each pattern ("*" and "?" wildcards) in turn and appends
  // the matches to names: all of the first pattern's, in the order the platform returns them,
  // then all of the next one's. Names carry no folder part. A platform that can answer every
  // pattern from one reading of the folder does so.
  virtual void FindFiles(const char* const* patterns, size_t patternCount,
                         std::vector<std::string>& names) = 0;

  void FindFiles(const char* pattern, std::vector<std::string>& names) {
    FindFiles(&pattern, 1, names);
  }

  // Opens a file of the current folder for reading only, with no sharing, and reads up to size
  // bytes from its start. Returns 1 when the file could be opened (bytesRead then says how much
  // it held), 0 when it could not: a folder, a file without read permission, one that another
  // process holds open, anything that is not a plain file.
  virtual int ReadHeader(const std::string& name, unsigned char* buffer, size_t size,
                         size_t& bytesRead) = 0;
};

// The platform's own finder.
CFileFinder& SystemFileFinder();
