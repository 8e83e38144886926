#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <unistd.h>

#include <cstring>

#include "reference_read.h"

size_t ReadHeadersDirectly(const std::vector<std::string>& names, size_t size) {
  unsigned char buffer[64];
  if (size > sizeof(buffer)) size = sizeof(buffer);
  size_t total = 0;
  for (const std::string& name : names) {
    int file = open(name.c_str(), O_RDONLY);
    if (file < 0) continue;
    ssize_t got = read(file, buffer, size);
    if (got > 0) total += static_cast<size_t>(got);
    close(file);
  }
  return total;
}

size_t ReadFolderHeadersDirectly(size_t size) {
  std::vector<std::string> names;
  DIR* folder = opendir(".");
  if (!folder) return 0;
  while (struct dirent* entry = readdir(folder)) {
    size_t length = strlen(entry->d_name);
    if (length >= 4 && (strcasecmp(entry->d_name + length - 4, ".dat") == 0 ||
                        strcasecmp(entry->d_name + length - 4, ".cfg") == 0)) {
      names.push_back(entry->d_name);
    }
  }
  closedir(folder);
  return ReadHeadersDirectly(names, size);
}
