// Wildcard listing of the current folder and the read of a file's first bytes. One
// implementation per platform: file_finder_win32.cpp and file_finder_posix.cpp.
#pragma once

#include <stddef.h>

#include <string>
#include <vector>

class CFileFinder {
 public:
  virtual ~CFileFinder() {}

  // Appends to names every entry of the current folder that matches pattern ("*" and "?"
  // wildcards), in the order the platform returns them; names carry no folder part.
  virtual void FindFiles(const char* pattern, std::vector<std::string>& names) = 0;

  // Opens a file of the current folder for reading only, with no sharing, and reads up to size
  // bytes from its start. Returns 1 when the file could be opened (bytesRead then says how much
  // it held), 0 when it could not: a folder, a file without read permission, one that another
  // process holds open, anything that is not a plain file.
  virtual int ReadHeader(const std::string& name, unsigned char* buffer, size_t size,
                         size_t& bytesRead) = 0;
};

// The platform's own finder.
CFileFinder& SystemFileFinder();
