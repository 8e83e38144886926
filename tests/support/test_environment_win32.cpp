#include <windows.h>

#include "test_support.h"

// The Win32 environment block is what CreateProcess hands to children.
void SetEnvironment(const std::string& name, const std::string& value) {
  SetEnvironmentVariableA(name.c_str(), value.empty() ? NULL : value.c_str());
}

std::string GetEnvironment(const std::string& name) {
  char buffer[32768];
  DWORD length = GetEnvironmentVariableA(name.c_str(), buffer, sizeof(buffer));
  if (length == 0 || length >= sizeof(buffer)) return "";
  return std::string(buffer, length);
}
