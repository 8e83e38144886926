// Bad input and faults around the installed orvane: a tool that misbehaves, listings that are no
// listings, firmware files that are no firmware files, a system short of resources. Each case
// says what orvane shows, which command lines reach the tool, and what the devices end up with.
// The cases every platform can make are in fault_test.cpp, the POSIX ones in
// posix/fault_posix_test.cpp.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "e2e_harness.h"

struct FaultCase {
  const char* name;
  E2eSetup setup;
  std::vector<std::pair<std::string, std::string>> toolVariables;  // the simulator's fault modes
  void (*prepare)(CE2eFolder& folder);  // more of the fault, in the scratch folder; may be null
  std::vector<std::string> arguments;
  std::string output;
  std::vector<std::string> log;
  std::string devicesAfter;  // the simulated devices after the run; empty: not checked
};

// Failure messages name the case rather than dump its bytes.
inline void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class FaultRun : public ::testing::TestWithParam<FaultCase> {};

std::string FaultCaseName(const ::testing::TestParamInfo<FaultCase>& info);

// What verbose mode prints for one device, and for one firmware file (the scan's list prints no
// line end after the version; the catalogue list adds one).
std::string VerboseDevice(const std::string& pid, int comp, int version);
std::string VerboseFile(const std::string& name, const std::string& pid, int comp, int version);
// What the simulator prints for an update.
std::string FlashedBy(const std::string& file, int devices);
// The verbose update of one device: its command, its target, the tool's line, the end.
std::string VerboseUpdate(const std::string& command, const std::string& file, int comp,
                          int version);

extern const char kDeviceListHeader[];
extern const char kFileScanHeader[];
extern const char kCatalogueListHeader[];
extern const char kUpdatePassHeader[];
