// The device table, read from the update tool's "-L" listing.
//
// A listing line is a run of bytes of 0x20 and above; every byte below 0x20 (a zero byte
// included) ends one. A device line holds "PID", one separator and the product id, "COMP:" and
// the component, "EC:" and the version, in any order. Positions are full-width, so a keyword
// is read where it stands on a line of any length.
#include <stdio.h>
#include <string.h>

#include "update_manager.h"

namespace {

const char kProductFilter[] = "C7E3";
const size_t kMaxPidLength = 5;
const size_t kMaxVersionDigits = 4;

bool IsSeparator(unsigned char c) { return c == ' ' || c >= 0x80; }
bool IsTokenChar(unsigned char c) { return c >= 0x21 && c <= 0x7F; }

// Start of the token at or after start, or the line's end when there is none.
size_t SkipSeparators(const std::string& line, size_t start) {
  size_t i = start;
  while (i < line.size() && IsSeparator(static_cast<unsigned char>(line[i]))) ++i;
  return i;
}

// The decimal value of the token's leading digits, with an optional sign, modulo 256: "-1"
// gives 255 and "300" gives 44, however many digits follow.
unsigned char ComponentValue(const std::string& token) {
  size_t i = 0;
  bool negative = false;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
  unsigned value = 0;
  for (; i < token.size() && token[i] >= '0' && token[i] <= '9'; ++i) {
    value = (value * 10 + static_cast<unsigned>(token[i] - '0')) % 256;
  }
  if (negative) value = (256 - value) % 256;
  return static_cast<unsigned char>(value);
}

}  // namespace

size_t ReadHexToken(std::string& out, const std::string& line, size_t start) {
  size_t i = SkipSeparators(line, start);
  std::string token;
  for (; i < line.size() && IsTokenChar(static_cast<unsigned char>(line[i])); ++i) {
    char c = line[i];
    token += (c >= 'a' && c <= 'f') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  if (!token.empty()) out = token;
  return token.size();
}

size_t ReadDigitToken(std::string& out, const std::string& line, size_t start) {
  size_t i = SkipSeparators(line, start);
  std::string digits;
  for (; i < line.size() && IsTokenChar(static_cast<unsigned char>(line[i])) &&
         digits.size() < kMaxVersionDigits;
       ++i) {
    if (line[i] >= '0' && line[i] <= '9') digits += line[i];
  }
  if (!digits.empty()) out = digits;
  return digits.size();
}

int CUpdateManager::ListDevices() {
  std::string listing;
  RunProcess(m_toolName + " -L", nullptr, listing, 1);

  m_deviceCount = 0;
  int result = 0;
  const size_t end = listing.size();
  size_t pos = 0;
  std::string line;
  for (;;) {
    while (pos < end && static_cast<unsigned char>(listing[pos]) < 0x20) ++pos;
    if (pos == end) break;
    size_t lineStart = pos;
    while (pos < end && static_cast<unsigned char>(listing[pos]) >= 0x20) ++pos;
    line.assign(listing, lineStart, pos - lineStart);

    // "PID" is looked for before the line is upper-cased: only the tool's own keyword counts.
    size_t pidAt = line.find("PID");
    if (pidAt == std::string::npos) continue;
    for (char& c : line) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }

    // Exactly one character after "PID" is passed over, whatever it is.
    std::string pid;
    size_t pidLength = ReadHexToken(pid, line, pidAt + 4);
    if (pidLength == 0 || pidLength > kMaxPidLength) continue;
    if (pid.compare(0, 4, kProductFilter) != 0) continue;

    size_t compAt = line.find("COMP:");
    if (compAt == std::string::npos) continue;
    std::string compToken;
    if (ReadHexToken(compToken, line, compAt + 5) == 0) continue;

    size_t versionAt = line.find("EC:");
    if (versionAt == std::string::npos) continue;
    std::string digits;
    if (ReadDigitToken(digits, line, versionAt + 3) == 0) continue;
    unsigned version = 0;
    for (char d : digits) version = version * 10 + static_cast<unsigned>(d - '0');

    AddDevice(pid.c_str(), ComponentValue(compToken), static_cast<unsigned short>(version));
    result = 1;
  }
  return result;
}

void CUpdateManager::AddDevice(const char* pid, unsigned char comp, unsigned short version) {
  if (m_deviceCount + 1 >= kDeviceSlots) return;
  DeviceEntry& device = m_devices[m_deviceCount];
  snprintf(device.pid, sizeof(device.pid), "%s", pid);
  device.comp = comp;
  device.version = version;
  ++m_deviceCount;
}
