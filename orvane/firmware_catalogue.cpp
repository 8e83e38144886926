// The firmware catalogue: for every product id and component, the firmware or configuration
// file of the current folder with the highest version.
//
// Each file starts with a 13-byte header:
//   offset 0, 4 bytes  product id, ASCII (a-f are upper-cased on reading)
//   offset 4, 4 bytes  version, ASCII decimal (leading white space and one sign allowed)
//   offset 8, 4 bytes  not interpreted
//   offset 12, 1 byte  component id, binary
#include <stdio.h>
#include <string.h>

#include "update_manager.h"

namespace {

const char* const kPatterns[] = {"*.dat", "*.cfg"};
const size_t kHeaderSize = 13;

bool IsWhiteSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The leading decimal number of text as an unsigned 16-bit value, so "-1" gives 65535.
unsigned short VersionValue(const char* text) {
  while (IsWhiteSpace(*text)) ++text;
  bool negative = false;
  if (*text == '+' || *text == '-') negative = *text++ == '-';
  unsigned value = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    value = (value * 10 + static_cast<unsigned>(*text - '0')) & 0xFFFF;
  }
  if (negative) value = (0x10000 - value) & 0xFFFF;
  return static_cast<unsigned short>(value);
}

}  // namespace

void CUpdateManager::ScanFirmwareFiles() {
  m_fileCount = 0;
  int headerPrinted = 0;
  std::vector<std::string> names;
  m_finder->FindFiles(kPatterns, sizeof(kPatterns) / sizeof(kPatterns[0]), names);
  for (const std::string& name : names) {
    if (m_debug && !headerPrinted) {
      printf("\n========== The firmware file(s) found list =================");
      headerPrinted = 1;
    }
    unsigned char header[kHeaderSize];
    size_t headerLength = 0;
    if (!m_finder->ReadHeader(name, header, kHeaderSize, headerLength)) continue;
    // A truncated file has no component id; it is never catalogued, so never flashed.
    if (headerLength < kHeaderSize) continue;

    char pid[5] = {0};
    char versionText[5] = {0};
    memcpy(pid, header, 4);
    memcpy(versionText, header + 4, 4);
    unsigned char comp = header[12];
    UpperHexDigits(pid);
    unsigned short version = VersionValue(versionText);

    if (m_debug) {
      printf("\nFileName:%s", name.c_str());
      printf("\nPID:%s", pid);
      printf("\nCOMP:%d", comp);
      printf("\nVersion:%d", version);
    }

    unsigned char index = 0;
    if (FindFirmware(pid, comp, index)) {
      // Ties keep the file found first.
      if (version > m_files[index].version) {
        m_files[index].path = name;
        m_files[index].version = version;
      }
    } else if (m_fileCount + 1 < kFileSlots) {
      FirmwareEntry& file = m_files[m_fileCount];
      file.path = name;
      memcpy(file.pid, pid, sizeof(file.pid));
      file.comp = comp;
      file.version = version;
      ++m_fileCount;
    }
  }
}

int CUpdateManager::FindFirmware(const char* pid, unsigned char comp, unsigned char& index) const {
  for (unsigned i = 0; i < m_fileCount; ++i) {
    if (strncmp(m_files[i].pid, pid, 4) == 0 && m_files[i].comp == comp) {
      index = static_cast<unsigned char>(i);
      return 1;
    }
  }
  return 0;
}

void CUpdateManager::UpperHexDigits(char* text) const {
  for (; *text; ++text) {
    if (*text >= 'a' && *text <= 'f') *text = static_cast<char>(*text - 'a' + 'A');
  }
}
