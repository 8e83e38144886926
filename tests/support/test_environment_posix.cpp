#include <stdlib.h>

#include "test_support.h"

void SetEnvironment(const std::string& name, const std::string& value) {
  if (value.empty()) {
    unsetenv(name.c_str());
  } else {
    setenv(name.c_str(), value.c_str(), 1);
  }
}

std::string GetEnvironment(const std::string& name) {
  const char* value = getenv(name.c_str());
  return value ? value : "";
}
