// The one object that holds everything a run of orvane learns: the device table, the firmware
// catalogue, the option flags and the update tool's name. Its operations live in files named
// after what they do:
//   update_manager.cpp     the run's steps, the update pass, the start of the tool
//   device_inventory.cpp   the device table read from the tool's listing
//   firmware_catalogue.cpp the newest firmware file of the current folder per device kind
//   command_line.cpp       the option scan and the pass-through to the tool
#pragma once

#include <stddef.h>

#include <string>

#include "file_finder.h"
#include "process_runner.h"

// One catalogued firmware file.
struct FirmwareEntry {
  std::string path;        // file name in the current folder, as the folder search gave it
  char pid[5];             // product id from the header, a-f upper-cased, zero-terminated
  unsigned short version;  // firmware version from the header
  unsigned char comp;      // component id from the header
};

// One attached device as the update tool listed it.
struct DeviceEntry {
  char pid[6];             // product id, 4 or 5 characters, upper case, zero-terminated
  unsigned char comp;      // component id
  unsigned short version;  // version now on the device
};

// Reads the token that begins at the first byte of 0x21..0x7F at or after column start of line
// into out, with a-f upper-cased. Returns its length; 0 leaves out untouched.
size_t ReadHexToken(std::string& out, const std::string& line, size_t start);

// Reads the decimal digits of the token at or after column start into out, skipping every
// other character of the token and stopping after the fourth digit. Returns the number of
// digits; 0 leaves out untouched.
size_t ReadDigitToken(std::string& out, const std::string& line, size_t start);

class CUpdateManager {
 public:
  enum { kFileSlots = 100, kDeviceSlots = 20, kUpdatePauseMs = 3000 };

  // Works with the platform's own process runner and folder search.
  CUpdateManager();
  // Works with the given ones instead, for tests.
  CUpdateManager(CProcessRunner& runner, CFileFinder& finder);

  // The entry function's steps: reset, option scan, and the automatic update when the options
  // ask for it. Returns the exit status, which is always 0.
  int Run(int argc, char** argv);

  void Reset();

  // Option scan; returns 1 when the automatic update is to follow.
  int ParseCommandLine(int argc, char** argv);

  // Device inventory; returns 1 when at least one device line was accepted.
  int ListDevices();
  void AddDevice(const char* pid, unsigned char comp, unsigned short version);

  // Firmware catalogue.
  void ScanFirmwareFiles();
  int FindFirmware(const char* pid, unsigned char comp, unsigned char& index) const;
  void UpperHexDigits(char* text) const;

  // Flashes every device whose catalogue entry is newer within the same major version.
  void UpdateDevices();

  // Starts commandLine and waits for its end; see CProcessRunner::Run. With capture set, output
  // receives the captured text when the child started and keeps its content otherwise. A failed
  // start prints "\nError code(%d): %s!\n" with errorText, or the generic message when
  // errorText is null; a pipe that cannot be made prints nothing. Returns 1 when the child ran.
  int RunProcess(const std::string& commandLine, const char* errorText, std::string& output,
                 int capture);

  FirmwareEntry m_files[kFileSlots];
  DeviceEntry m_devices[kDeviceSlots];
  unsigned char m_fileCount;
  unsigned char m_deviceCount;
  int m_debug;
  int m_needSerial;
  int m_serialGiven;
  std::string m_toolName;

 private:
  void PrintDeviceList() const;
  void PrintCatalogue() const;

  CProcessRunner* m_runner;
  CFileFinder* m_finder;
};
