// A stand-in for the zunder update tool, for tests and demonstrations. It is never shipped.
//
// Environment:
//   ZUNDER_STATE    text file of simulated devices, one a line: PID COMP VERSION SERIAL
//   ZUNDER_LOG      every command line received is appended here, one a line, as received
//   ZUNDER_LISTING  when set, "-L" prints this file's bytes as they are instead of the devices
//
// Fault modes of "-L", for the tests of what orvane makes of a tool that misbehaves:
//   ZUNDER_FILLER_MIB=N   first writes N MiB of 64-byte lines of another product (PID:ABCD)
//   ZUNDER_DIE_AFTER=N    writes only the first N bytes of the listing, then ends itself at once
//                         as a kill would (SIGKILL on POSIX, TerminateProcess on Windows)
//   ZUNDER_HOLD=S         writes the listing but its last line, leaves a process behind that holds
//                         the output open, and ends; that process writes the last line S seconds
//                         later and ends too
// They apply in this order; the filler is not counted by ZUNDER_DIE_AFTER. Binary garbage, long
// lines and zero bytes come from a ZUNDER_LISTING file.
//
// Commands: -L lists the devices; -F FILE (optionally after -3 MS) flashes FILE's header
// version to every device with its product id and component (with -s SERIAL, to that device
// only); -G 1 -w FILE writes the configuration of the device named by -s into FILE. The other
// options of the real tool are accepted and do nothing. Anything else prints the usage banner.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "raw_command_line.h"
#include "sim_process.h"

namespace {

struct Device {
  std::string pid;
  int comp;
  int version;
  std::string serial;
};

const char* Env(const char* name) {
  const char* value = getenv(name);
  return value && *value ? value : nullptr;
}

std::vector<Device> LoadDevices() {
  std::vector<Device> devices;
  const char* path = Env("ZUNDER_STATE");
  if (!path) return devices;
  FILE* file = fopen(path, "r");
  if (!file) return devices;
  char pid[64];
  char serial[128];
  int comp = 0;
  int version = 0;
  while (fscanf(file, "%63s %d %d %127s", pid, &comp, &version, serial) == 4) {
    devices.push_back(Device{pid, comp, version, serial});
  }
  fclose(file);
  return devices;
}

void SaveDevices(const std::vector<Device>& devices) {
  const char* path = Env("ZUNDER_STATE");
  if (!path) return;
  // Binary, so that the state file reads the same on every platform.
  FILE* file = fopen(path, "wb");
  if (!file) return;
  for (const Device& d : devices) {
    fprintf(file, "%s %d %d %s\n", d.pid.c_str(), d.comp, d.version, d.serial.c_str());
  }
  fclose(file);
}

void LogCommandLine(int argc, char** argv) {
  const char* path = Env("ZUNDER_LOG");
  if (!path) return;
  FILE* log = fopen(path, "ab");
  if (!log) return;
  std::string line = RawCommandLine(argc, argv);
  fprintf(log, "%s\n", line.c_str());
  fclose(log);
}

int Usage() {
  printf("Usage: tavrinset -command arg.... -option arg......\n");
  return 1;
}

bool SamePid(const std::string& a, const std::string& b) {
  if (a.size() < 4 || b.size() < 4) return false;
  for (size_t i = 0; i < 4; ++i) {
    if (toupper(static_cast<unsigned char>(a[i])) != toupper(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

unsigned long EnvNumber(const char* name) {
  const char* value = Env(name);
  return value ? strtoul(value, nullptr, 10) : 0;
}

void WriteFiller(unsigned long mebibytes) {
  std::string line = "PID:ABCD COMP:1 EC:0100 SN:";
  line.resize(63, '0');
  line += '\n';
  std::string block;
  while (block.size() < 1024 * 1024) block += line;
  for (unsigned long i = 0; i < mebibytes; ++i) fwrite(block.data(), 1, block.size(), stdout);
}

int List(const std::vector<Device>& devices) {
  std::string text;
  const char* listing = Env("ZUNDER_LISTING");
  if (listing && !Env("ZUNDER_DIE_AFTER") && !Env("ZUNDER_HOLD")) {
    // Printed as it is read, the way a tool prints a long listing: the simulator holds no copy.
    FILE* file = fopen(listing, "rb");
    if (!file) return 1;
    WriteFiller(EnvNumber("ZUNDER_FILLER_MIB"));
    char buffer[65536];
    size_t got = 0;
    while ((got = fread(buffer, 1, sizeof(buffer), file)) > 0) fwrite(buffer, 1, got, stdout);
    fclose(file);
    fflush(stdout);
    return 0;
  }
  if (listing) {
    FILE* file = fopen(listing, "rb");
    if (!file) return 1;
    char buffer[65536];
    size_t got = 0;
    while ((got = fread(buffer, 1, sizeof(buffer), file)) > 0) text.append(buffer, got);
    fclose(file);
  } else {
    char line[256];
    for (const Device& d : devices) {
      snprintf(line, sizeof(line), "PID:%s COMP:%d EC:%04d SN:%s\n", d.pid.c_str(), d.comp,
               d.version, d.serial.c_str());
      text += line;
    }
  }

  WriteFiller(EnvNumber("ZUNDER_FILLER_MIB"));
  if (Env("ZUNDER_DIE_AFTER")) {
    unsigned long keep = EnvNumber("ZUNDER_DIE_AFTER");
    if (keep < text.size()) text.resize(keep);
    fwrite(text.data(), 1, text.size(), stdout);
    fflush(stdout);
    EndAtOnce();
  }
  std::string late;
  if (Env("ZUNDER_HOLD")) {
    // The last line begins after the last line end that is not the text's final byte.
    size_t end = text.size();
    if (end > 0 && text[end - 1] == '\n') --end;
    size_t lastLine = end == 0 ? std::string::npos : text.rfind('\n', end - 1);
    lastLine = lastLine == std::string::npos ? 0 : lastLine + 1;
    late = text.substr(lastLine);
    text.resize(lastLine);
  }
  fwrite(text.data(), 1, text.size(), stdout);
  fflush(stdout);
  if (Env("ZUNDER_HOLD") && !LeaveHolder(EnvNumber("ZUNDER_HOLD"), late)) {
    fwrite(late.data(), 1, late.size(), stdout);
  }
  return 0;
}

int Flash(std::vector<Device>& devices, const std::string& path, const char* serial) {
  FILE* file = fopen(path.c_str(), "rb");
  unsigned char header[13];
  size_t got = file ? fread(header, 1, sizeof(header), file) : 0;
  if (file) fclose(file);
  if (got < sizeof(header)) {
    printf("zunder: cannot read firmware file %s\n", path.c_str());
    return 1;
  }
  std::string pid(reinterpret_cast<char*>(header), 4);
  std::string versionText(reinterpret_cast<char*>(header) + 4, 4);
  int version = atoi(versionText.c_str()) & 0xFFFF;
  int flashed = 0;
  for (Device& d : devices) {
    if (!SamePid(d.pid, pid) || d.comp != header[12]) continue;
    if (serial && d.serial != serial) continue;
    d.version = version;
    ++flashed;
  }
  SaveDevices(devices);
  printf("zunder: %s flashed to %d device(s)\n", path.c_str(), flashed);
  return 0;
}

int SaveConfiguration(const std::vector<Device>& devices, const std::string& path,
                      const char* serial) {
  for (const Device& d : devices) {
    if (!serial || d.serial != serial) continue;
    FILE* file = fopen(path.c_str(), "wb");
    if (!file) return 1;
    fprintf(file, "%-4.4s%04d0000%c", d.pid.c_str(), d.version % 10000, d.comp);
    fclose(file);
    printf("zunder: configuration of %s saved to %s\n", serial, path.c_str());
    return 0;
  }
  printf("zunder: no device with serial number %s\n", serial ? serial : "");
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (ActAsHolder(argc, argv)) return 0;
  LogCommandLine(argc, argv);
  std::vector<Device> devices = LoadDevices();

  bool list = false;
  std::vector<std::string> flashFiles;
  std::string configurationFile;
  const char* serial = nullptr;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    bool hasValue = i + 1 < argc;
    if (a == "-L") {
      list = true;
    } else if (a == "-F" && hasValue) {
      flashFiles.push_back(argv[++i]);
    } else if (a == "-G" && i + 3 < argc && std::string(argv[i + 1]) == "1" &&
               std::string(argv[i + 2]) == "-w") {
      configurationFile = argv[i + 3];
      i += 3;
    } else if (a == "-s" && hasValue) {
      serial = argv[++i];
    } else if ((a == "-3" || a == "-D" || a == "-l" || a == "-t" || a == "-p") && hasValue) {
      ++i;
    } else if (a == "-R" || a == "-S" || a == "-U" || a == "-f" || a == "-a") {
    } else {
      return Usage();
    }
  }
  if (argc < 2) return Usage();

  int status = 0;
  if (list) status |= List(devices);
  for (const std::string& file : flashFiles) status |= Flash(devices, file, serial);
  if (!configurationFile.empty()) status |= SaveConfiguration(devices, configurationFile, serial);
  fflush(stdout);
  return status;
}
