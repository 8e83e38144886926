#include <windows.h>

#include "file_finder.h"

namespace {

class CWin32FileFinder : public CFileFinder {
 public:
  void FindFiles(const char* const* patterns, size_t patternCount,
                 std::vector<std::string>& names) override;
  int ReadHeader(const std::string& name, unsigned char* buffer, size_t size,
                 size_t& bytesRead) override;
};

void CWin32FileFinder::FindFiles(const char* const* patterns, size_t patternCount,
                                 std::vector<std::string>& names) {
  for (size_t i = 0; i < patternCount; ++i) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(patterns[i], &found);
    if (search == INVALID_HANDLE_VALUE) continue;
    do {
      names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
}

int CWin32FileFinder::ReadHeader(const std::string& name, unsigned char* buffer, size_t size,
                                 size_t& bytesRead) {
  bytesRead = 0;
  // No sharing: a file that another process is writing is left for the next run.
  HANDLE file =
      CreateFileA(name.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return 0;
  if (GetFileType(file) != FILE_TYPE_DISK) {
    CloseHandle(file);
    return 0;
  }
  while (bytesRead < size) {
    DWORD got = 0;
    if (!ReadFile(file, buffer + bytesRead, static_cast<DWORD>(size - bytesRead), &got, NULL) ||
        got == 0) {
      break;
    }
    bytesRead += got;
  }
  CloseHandle(file);
  return 1;
}

}  // namespace

CFileFinder& SystemFileFinder() {
  static CWin32FileFinder finder;
  return finder;
}
