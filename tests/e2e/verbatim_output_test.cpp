// What the update tool prints reaches orvane's standard output byte for byte: its own line ends
// (carriage returns included on Windows), zero bytes, and bytes above 0x7F.
#include <gtest/gtest.h>

#include "command_line_text.h"
#include "e2e_harness.h"

namespace {

TEST(VerbatimOutput, PassedThroughListingEqualsTheToolsOwn) {
  const struct {
    const char* name;
    std::string listing;  // empty: the simulated devices are listed
  } cases[] = {
      {"devices", ""},
      {"crlf_and_bare_lf", "PID:C7E3 COMP:1 EC:0105\r\nline two\nlast"},
      {"zero_and_high_bytes", std::string("a\0b\xff\xfe\r\n\x01 end", 12)},
  };
  for (const auto& c : cases) {
    E2eSetup setup;
    setup.devices = "C7E3 1 105 SN1\nC7E3 2 300 SN2\n";
    setup.listing = c.listing;
    CE2eFolder folder(std::string("VerbatimOutput_") + c.name, setup);
    std::string tool = RunCaptured(QuoteArgument(TestProgram(TEST_TOOLS_DIR, "zunder")) + " -L");
    std::string shown = folder.RunVerbatim({"-L"});
    ASSERT_FALSE(tool.empty()) << c.name;
    EXPECT_EQ(shown, tool) << c.name;
  }
}

}  // namespace
