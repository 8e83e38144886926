// Arbitrary argument vectors through the option scan, with a runner that starts nothing. The
// input's zero bytes separate the arguments; the program name comes first.
#include <stddef.h>
#include <stdint.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "test_support.h"
#include "update_manager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> words(1);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      words.emplace_back();
    } else {
      words.back() += static_cast<char>(data[i]);
    }
  }
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(&word[0]);
  argv.push_back(nullptr);

  CFakeRunner runner;
  runner.m_replies["zunder -L"] = "PID:C7E3 COMP:1 EC:0105\n";
  CFakeFinder finder;
  CUpdateManager manager(runner, finder);
  manager.Reset();
  int runAutomatic = manager.ParseCommandLine(static_cast<int>(words.size()), argv.data());
  if (runAutomatic != 0 && runAutomatic != 1) abort();
  // At most the device check and one pass-through run.
  if (runner.m_events.size() > 2) abort();
  return 0;
}
