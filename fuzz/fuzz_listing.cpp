// Arbitrary captured text from the update tool, through the inventory into the device table.
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
  runner.m_replies["zunder -L"] = std::string(reinterpret_cast<const char*>(data), size);
  CUpdateManager manager(runner, finder);
  manager.Reset();
  int found = manager.ListDevices();
  if (manager.m_deviceCount >= CUpdateManager::kDeviceSlots) abort();
  if (manager.m_deviceCount > 0 && !found) abort();
  for (unsigned i = 0; i < manager.m_deviceCount; ++i) {
    const DeviceEntry& device = manager.m_devices[i];
    size_t length = strlen(device.pid);
    if (length < 4 || length > 5 || strncmp(device.pid, "C7E3", 4) != 0) abort();
    if (device.version > 9999) abort();
  }
  return 0;
}
