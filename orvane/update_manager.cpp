#include "update_manager.h"

#include <stdio.h>

#include "command_line_text.h"

CUpdateManager::CUpdateManager() : CUpdateManager(SystemProcessRunner(), SystemFileFinder()) {}

CUpdateManager::CUpdateManager(CProcessRunner& runner, CFileFinder& finder)
    : m_files(),
      m_devices(),
      m_fileCount(0),
      m_deviceCount(0),
      m_debug(0),
      m_needSerial(0),
      m_serialGiven(0),
      m_runner(&runner),
      m_finder(&finder) {}

void CUpdateManager::Reset() {
  // The tables keep their old contents; the counts alone say what is valid.
  m_fileCount = 0;
  m_deviceCount = 0;
  m_debug = 0;
  m_needSerial = 0;
  m_serialGiven = 0;
  m_toolName = "zunder";
}

int CUpdateManager::Run(int argc, char** argv) {
  Reset();
  if (ParseCommandLine(argc, argv) && ListDevices()) {
    if (m_debug) PrintDeviceList();
    ScanFirmwareFiles();
    if (m_debug && m_fileCount != 0) PrintCatalogue();
    UpdateDevices();
  }
  fflush(stdout);
  return 0;
}

void CUpdateManager::PrintDeviceList() const {
  printf("\n================= Device found list =================");
  for (unsigned i = 0; i < m_deviceCount; ++i) {
    const DeviceEntry& device = m_devices[i];
    printf("\nPID:%s", device.pid);
    printf("\nCOMP:%d", device.comp);
    printf("\nVersion:%d\n", device.version);
  }
}

void CUpdateManager::PrintCatalogue() const {
  printf("\n================= Lastest FW files found list =================");
  for (unsigned i = 0; i < m_fileCount; ++i) {
    const FirmwareEntry& file = m_files[i];
    printf("\nFileName:%s", file.path.c_str());
    printf("\nPID:%s", file.pid);
    printf("\nCOMP:%d", file.comp);
    printf("\nVersion:%d\n", file.version);
  }
}

void CUpdateManager::UpdateDevices() {
  int headerPrinted = 0;
  for (unsigned i = 0; i < m_deviceCount; ++i) {
    const DeviceEntry& device = m_devices[i];
    unsigned char index = 0;
    if (!FindFirmware(device.pid, device.comp, index)) continue;
    const FirmwareEntry& file = m_files[index];
    // An update never changes the major level (the high byte) and never goes back.
    if (file.version / 256 != device.version / 256) continue;
    if (file.version <= device.version) continue;

    std::string command = m_toolName;
    if (device.comp == 2) command += " -3 60000";
    command += " -F ";
    command += QuoteArgument(file.path);

    if (m_debug) {
      if (!headerPrinted) {
        printf("\n================= Processing firmware update =================");
        headerPrinted = 1;
      }
      printf("\n%s", command.c_str());
      printf("\nTarget: PID(%s) COMP(%d) Version(%d)", file.pid, file.comp, file.version);
    }
    std::string output;
    int started = RunProcess(command, nullptr, output, 0);
    // A tool that could not be started has already been reported; it did nothing.
    if (m_debug && started) printf("\nUpdate %s done", file.path.c_str());
    m_runner->Pause(kUpdatePauseMs);
  }
}

int CUpdateManager::RunProcess(const std::string& commandLine, const char* errorText,
                               std::string& output, int capture) {
  // What was printed so far comes before anything the child writes, also into a file or pipe.
  fflush(stdout);
  std::string captured;
  ProcessOutcome outcome = m_runner->Run(commandLine, capture, captured);
  if (!outcome.pipeCreated) return 0;
  if (!outcome.started) {
    int error = static_cast<int>(outcome.errorNumber);
    if (errorText) {
      printf("\nError code(%d): %s!\n", error, errorText);
    } else {
      printf("\nError: Create process failure(%d) !\n", error);
    }
    return 0;
  }
  if (capture) output.swap(captured);
  return 1;
}
