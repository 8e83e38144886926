// Faults and bad input that every platform can make: the tool dies in the middle of its listing,
// floods its output, prints binary garbage, one 8 MiB line or zero bytes, leaves a process behind
// that holds its output open; firmware files that are empty, short, garbage, folders, oddly
// named or many. Updates pause three seconds each, so few cases flash.
#include <gtest/gtest.h>

#include "command_line_text.h"
#include "fault_table.h"

const char kDeviceListHeader[] = "\n================= Device found list =================";
const char kFileScanHeader[] = "\n========== The firmware file(s) found list =================";
const char kCatalogueListHeader[] =
    "\n================= Lastest FW files found list =================";
const char kUpdatePassHeader[] = "\n================= Processing firmware update =================";

std::string FaultCaseName(const ::testing::TestParamInfo<FaultCase>& info) {
  return info.param.name;
}

std::string VerboseDevice(const std::string& pid, int comp, int version) {
  return "\nPID:" + pid + "\nCOMP:" + std::to_string(comp) +
         "\nVersion:" + std::to_string(version) + "\n";
}

std::string VerboseFile(const std::string& name, const std::string& pid, int comp, int version) {
  return "\nFileName:" + name + "\nPID:" + pid + "\nCOMP:" + std::to_string(comp) +
         "\nVersion:" + std::to_string(version);
}

std::string FlashedBy(const std::string& file, int devices) {
  return "zunder: " + file + " flashed to " + std::to_string(devices) + " device(s)\n";
}

std::string VerboseUpdate(const std::string& command, const std::string& file, int comp,
                          int version) {
  return "\n" + command + "\nTarget: PID(C7E3) COMP(" + std::to_string(comp) + ") Version(" +
         std::to_string(version) + ")" + FlashedBy(file, 1) + "\nUpdate " + file + " done";
}

TEST_P(FaultRun, EndsWithAClearResultAndLosesNothing) {
  const FaultCase& c = GetParam();
  CE2eFolder folder(std::string("fault_") + c.name, c.setup);
  for (const auto& variable : c.toolVariables) {
    folder.SetToolVariable(variable.first, variable.second);
  }
  if (c.prepare) c.prepare(folder);

  E2eOutcome outcome = folder.Run(c.arguments);
  EXPECT_EQ(c.output, outcome.output);
  EXPECT_EQ(c.log, outcome.log);
  if (!c.devicesAfter.empty()) {
    EXPECT_EQ(c.devicesAfter, folder.Devices());
  }
}

namespace {

// Bytes that no tool would print, the same in every run.
std::string Garbage(unsigned seed, size_t size) {
  std::string bytes;
  unsigned state = seed;
  for (size_t i = 0; i < size; ++i) {
    state = state * 1103515245u + 12345u;
    bytes += static_cast<char>(state >> 16);
  }
  return bytes;
}

const size_t kMebibyte = 1024 * 1024;

// Two devices; the tool lists them as "PID:C7E3 COMP:1 EC:0261 SN:SN1" and so on.
const char kTwoDevices[] = "C7E3 1 261 SN1\nC7E3 2 300 SN2\n";

// A picture with a firmware file's name: its product id is "\x89PNG", its version field holds
// no digit, its component is the 'I' of "IHDR".
const std::string kPicture("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
const char kZeroBytes[] =
    "\0\0PID:C7E3 COMP:1 EC:0101\0\0\0PID:C7E3 COMP:2\0EC:0202\0PID:C7E3 COMP:3 EC:0303\0";
const std::string kLatinName = "\xe9t\xe9 \xfc.cfg";

// 100 files of component 1, the newest in the middle, and 50 of components 2 to 51.
std::vector<E2eFile> ManyFiles() {
  std::vector<E2eFile> files;
  char name[16];
  char version[8];
  for (int i = 0; i < 100; ++i) {
    snprintf(name, sizeof(name), "a%03d.dat", i);
    snprintf(version, sizeof(version), "%04d", i == 57 ? 499 : 256 + i);
    files.push_back(FirmwareFile(name, "C7E3", version, 1));
  }
  for (int comp = 2; comp <= 51; ++comp) {
    snprintf(name, sizeof(name), "b%02d.cfg", comp);
    files.push_back(FirmwareFile(name, "C7E3", "0300", static_cast<unsigned char>(comp)));
  }
  return files;
}

std::vector<FaultCase> FaultCases() {
  return {
      // Killed after its first line and "PID:C7E3 COMP:2 EC:03" of the second: what was read is
      // parsed, as the text stands, and the run goes on.
      {"killed_mid_listing",
       {"", kTwoDevices, {FirmwareFile("fw.dat", "C7E3", "0272", 1)}},
       {{"ZUNDER_DIE_AFTER", "52"}},
       nullptr,
       {"-deb"},
       std::string(kDeviceListHeader) + VerboseDevice("C7E3", 1, 261) +
           VerboseDevice("C7E3", 2, 3) + kFileScanHeader + VerboseFile("fw.dat", "C7E3", 1, 272) +
           kCatalogueListHeader + VerboseFile("fw.dat", "C7E3", 1, 272) + "\n" + kUpdatePassHeader +
           VerboseUpdate("zunder -F fw.dat", "fw.dat", 1, 272),
       {"zunder -L", "zunder -F fw.dat"},
       "C7E3 1 272 SN1\nC7E3 2 300 SN2\n"},

      // 100 MiB of another product's lines before the device.
      {"flood_of_100_mib",
       {"", "C7E3 1 261 SN1\n", {}},
       {{"ZUNDER_FILLER_MIB", "100"}},
       nullptr,
       {"-deb"},
       std::string(kDeviceListHeader) + VerboseDevice("C7E3", 1, 261),
       {"zunder -L"},
       ""},

      {"binary_garbage",
       {Garbage(1, 256 * 1024) + "\nPID:C7E3 COMP:1 EC:0105\n" + Garbage(2, 256 * 1024), "", {}},
       {},
       nullptr,
       {"-deb"},
       std::string(kDeviceListHeader) + VerboseDevice("C7E3", 1, 105),
       {"zunder -L"},
       ""},

      // "EC:" 8 MiB into its line, and a line after it.
      {"line_of_8_mib",
       {"PID:C7E3 COMP:1 " + std::string(8 * kMebibyte, 'x') +
            " EC:0105\nPID:C7E3 COMP:2 EC:0200\n",
        "",
        {}},
       {},
       nullptr,
       {"-deb"},
       std::string(kDeviceListHeader) + VerboseDevice("C7E3", 1, 105) +
           VerboseDevice("C7E3", 2, 200),
       {"zunder -L"},
       ""},

      // Zero bytes end lines like any control character; the text after them is kept.
      {"zero_bytes",
       {std::string(kZeroBytes, sizeof(kZeroBytes) - 1), "", {}},
       {},
       nullptr,
       {"-deb"},
       std::string(kDeviceListHeader) + VerboseDevice("C7E3", 1, 101) +
           VerboseDevice("C7E3", 3, 303),
       {"zunder -L"},
       ""},

      // The tool prints nothing at all: the run ends quietly and nothing is flashed.
      {"empty_listing",
       {"", "", {FirmwareFile("fw.dat", "C7E3", "0272", 1)}},
       {},
       nullptr,
       {"-deb"},
       "",
       {"zunder -L"},
       ""},

      // The second device's line comes from a process the tool left behind, two seconds after
      // the tool ended: orvane reads until the last writer has gone, so it is updated.
      {"grandchild_holds_the_output",
       {"", kTwoDevices, {FirmwareFile("late.cfg", "C7E3", "0310", 2)}},
       {{"ZUNDER_HOLD", "2"}},
       nullptr,
       {"-deb"},
       std::string(kDeviceListHeader) + VerboseDevice("C7E3", 1, 261) +
           VerboseDevice("C7E3", 2, 300) + kFileScanHeader +
           VerboseFile("late.cfg", "C7E3", 2, 310) + kCatalogueListHeader +
           VerboseFile("late.cfg", "C7E3", 2, 310) + "\n" + kUpdatePassHeader +
           VerboseUpdate("zunder -3 60000 -F late.cfg", "late.cfg", 2, 310),
       {"zunder -L", "zunder -3 60000 -F late.cfg"},
       "C7E3 1 261 SN1\nC7E3 2 310 SN2\n"},

      // Matches that are no firmware files: empty, 12 bytes (a header without its component,
      // which component 0's device must not get), a picture, zeros, a folder. The real files
      // have blanks and bytes above 0x7F in their names, and reach the tool whole.
      {"bad_firmware_files",
       {"",
        "C7E3 1 261 SN1\nC7E3 2 300 SN2\nC7E3 0 100 SN0\n",
        {PlainFile("empty.dat", ""), PlainFile("twelve.dat", "C7E30300xxxx"),
         PlainFile("picture.dat", kPicture), PlainFile("zeros.cfg", std::string(13, '\0')),
         FolderNamed("x.dat"), FirmwareFile("my  fw v2.dat", "C7E3", "0272", 1),
         FirmwareFile(kLatinName, "C7E3", "0310", 2)}},
       {},
       nullptr,
       {"-deb"},
       std::string(kDeviceListHeader) + VerboseDevice("C7E3", 1, 261) +
           VerboseDevice("C7E3", 2, 300) + VerboseDevice("C7E3", 0, 100) + kFileScanHeader +
           VerboseFile("my  fw v2.dat", "C7E3", 1, 272) +
           VerboseFile("picture.dat", "\x89PNG", 73, 0) + VerboseFile("zeros.cfg", "", 0, 0) +
           VerboseFile(kLatinName, "C7E3", 2, 310) + kCatalogueListHeader +
           VerboseFile("my  fw v2.dat", "C7E3", 1, 272) + "\n" +
           VerboseFile("picture.dat", "\x89PNG", 73, 0) + "\n" +
           VerboseFile("zeros.cfg", "", 0, 0) + "\n" + VerboseFile(kLatinName, "C7E3", 2, 310) +
           "\n" + kUpdatePassHeader +
           VerboseUpdate("zunder -F \"my  fw v2.dat\"", "my  fw v2.dat", 1, 272) +
           VerboseUpdate("zunder -3 60000 -F \"" + kLatinName + "\"", kLatinName, 2, 310),
       {"zunder -L", "zunder -F \"my  fw v2.dat\"", "zunder -3 60000 -F \"" + kLatinName + "\""},
       "C7E3 1 272 SN1\nC7E3 2 310 SN2\nC7E3 0 100 SN0\n"},

      // 150 matching files: the newest of 100 for one device kind, found in the middle.
      {"files_150",
       {"", "C7E3 1 300 SN1\n", ManyFiles()},
       {},
       nullptr,
       {},
       FlashedBy("a057.dat", 1),
       {"zunder -L", "zunder -F a057.dat"},
       "C7E3 1 499 SN1\n"},
  };
}

INSTANTIATE_TEST_SUITE_P(Cases, FaultRun, ::testing::ValuesIn(FaultCases()), FaultCaseName);

// Whatever the tool prints, "-L" shows every byte of it in order, however it ends.
TEST(FaultPassThrough, ShowsEveryByteTheToolPrinted) {
  const struct {
    const char* name;
    std::string listing;  // empty: the simulated devices are listed
    std::vector<std::pair<std::string, std::string>> toolVariables;
  } cases[] = {
      // The automatic run takes the flood of 100 MiB; here it is copied twice more, which takes
      // long under Wine, so ten do.
      {"flood_of_10_mib", "", {{"ZUNDER_FILLER_MIB", "10"}}},
      {"binary_garbage", Garbage(3, 1024 * 1024), {}},
      {"line_of_8_mib", "PID:C7E3 COMP:1 " + std::string(8 * kMebibyte, 'x') + " EC:0105\n", {}},
      {"zero_bytes",
       std::string(4096, '\0') + "PID:C7E3 COMP:1 EC:0101" + std::string(3, '\0'),
       {}},
      {"killed_mid_listing", "", {{"ZUNDER_DIE_AFTER", "52"}}},
      {"grandchild_holds_the_output", "", {{"ZUNDER_HOLD", "1"}}},
  };
  for (const auto& c : cases) {
    E2eSetup setup;
    setup.devices = kTwoDevices;
    setup.listing = c.listing;
    CE2eFolder folder(std::string("fault_pass_through_") + c.name, setup);
    for (const auto& variable : c.toolVariables) {
      folder.SetToolVariable(variable.first, variable.second);
    }
    std::string tool = RunCaptured(QuoteArgument(TestProgram(TEST_TOOLS_DIR, "zunder")) + " -L");
    std::string shown = folder.RunVerbatim({"-L"});
    ASSERT_FALSE(tool.empty()) << c.name;
    // Sizes first: a difference in megabytes of text says little.
    EXPECT_EQ(tool.size(), shown.size()) << c.name;
    EXPECT_TRUE(tool == shown) << c.name;
  }
}

}  // namespace
