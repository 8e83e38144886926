// Arbitrary firmware files of 0 to 64 bytes under arbitrary names, through the header reading
// and the catalogue merge. The input is a sequence of records: one byte name length, the name,
// one byte content length (taken modulo 65), the content. A first byte with its low bit set
// turns verbose mode on.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <cstdlib>
#include <string>

#include "test_support.h"
#include "update_manager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CFakeRunner runner;
  CFakeFinder finder;
  size_t at = 0;
  int verbose = size > 0 && (data[at++] & 1);
  while (at < size) {
    size_t nameLength = data[at++];
    if (nameLength > size - at) nameLength = size - at;
    std::string name(reinterpret_cast<const char*>(data + at), nameLength);
    at += nameLength;
    size_t contentLength = at < size ? data[at++] % 65 : 0;
    if (contentLength > size - at) contentLength = size - at;
    std::string content(reinterpret_cast<const char*>(data + at), contentLength);
    at += contentLength;
    finder.Add(name + (name.size() % 2 ? ".dat" : ".CFG"), content, name.size() % 7 != 3);
  }
  CUpdateManager manager(runner, finder);
  manager.Reset();
  manager.m_debug = verbose;
  manager.ScanFirmwareFiles();
  if (manager.m_fileCount >= CUpdateManager::kFileSlots) abort();
  for (unsigned i = 0; i < manager.m_fileCount; ++i) {
    for (unsigned j = i + 1; j < manager.m_fileCount; ++j) {
      // The catalogue never holds two entries for one product id and component.
      if (strncmp(manager.m_files[i].pid, manager.m_files[j].pid, 4) == 0 &&
          manager.m_files[i].comp == manager.m_files[j].comp) {
        abort();
      }
    }
  }
  return 0;
}
