// One real installation and removal with the platform's own msiexec: a package built by wixl
// (MSILAUNCH_TEST_PACKAGE) puts one file into a folder of its own under Program Files.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "command_line_text.h"
#include "test_support.h"

namespace {

// A name that cmd would split or act on, were it not quoted on both command lines.
const char kPackage[] = "R&D pkg (1).msi";

std::string Launch(const std::string& word) {
  std::string output = RunCaptured(QuoteArgument(TestProgram(TEST_BIN_DIR, "msilaunch")) + " " +
                                   QuoteArgument(kPackage) + " " + word);
  return std::regex_replace(output, std::regex("Press any key to continue[ .]*(\r\n)?"), "<pause>");
}

TEST(RoundTrip, InstallsAndRemovesThePackage) {
  namespace fs = std::filesystem;
  ASSERT_TRUE(fs::exists(MSILAUNCH_TEST_PACKAGE)) << "wixl did not build the test package";
  const std::string programFiles = GetEnvironment("ProgramFiles");
  ASSERT_FALSE(programFiles.empty());
  const fs::path installed = fs::path(programFiles) / "msilaunch round trip" / "roundtrip.txt";

  CScratchFolder folder("msilaunch_RoundTrip");
  fs::copy_file(MSILAUNCH_TEST_PACKAGE, kPackage);
  // A run that stopped half-way may have left the package installed.
  if (fs::exists(installed)) Launch("uninstall");
  ASSERT_FALSE(fs::exists(installed)) << installed.string();

  EXPECT_EQ(Launch("install"), "");
  EXPECT_EQ(ReadWholeFile(installed.string()), ReadWholeFile(MSILAUNCH_TEST_PAYLOAD));

  EXPECT_EQ(Launch("UNINSTALL"), "");
  EXPECT_FALSE(fs::exists(installed)) << installed.string();
}

}  // namespace
