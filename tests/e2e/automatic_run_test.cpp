// The automatic update of the installed orvane against the simulator: which devices the listing
// gives, which file of the folder is chosen per device, and which update commands reach the
// tool. Every update pauses three seconds, so the cases that flash group several devices.
#include <gtest/gtest.h>

#include <filesystem>

#include "e2e_harness.h"

namespace {

struct AutomaticCase {
  const char* name;
  E2eSetup setup;
  std::vector<std::string> arguments;
  std::string output;
  std::vector<std::string> log;
  std::string devicesAfter;  // the simulated devices after the run; empty: not checked
};

std::string Flashed(const std::string& file, int devices) {
  return "zunder: " + file + " flashed to " + std::to_string(devices) + " device(s)\n";
}

// Every example line of the listing rules, and lines whose keywords stand far into the line.
std::string ExampleListing() {
  return std::string("PID:C7E3 COMP:1 EC:0105\n") +  // accepted
         "PID: c7e3  comp: 2  ec: 1.02\r\n" +        // upper-cased after "PID" was found
         "pid:C7E3 COMP:1 EC:0100\n" +               // "PID" matches case
         "PIDC7E3 COMP:1 EC:0100\n" +                // one character after "PID" is passed over
         "PID:C7E3B COMP:3 EC:0200\n" +              // a five-character id
         "PID:C7E3BB COMP:3 EC:0200\n" +             // six characters
         "PID:ABCD COMP:1 EC:0100\n" +               // another product
         "PID:C7E3 COMP:4 EC:12345\n" +              // the first four digits
         "PID:C7E3 COMP:1 SPEC:9 EC:0100\n" +        // the first "EC:" is inside SPEC:
         "PID:C7E3\tCOMP:1 EC:0100\n" +              // a tab splits the line
         "COMP:3 EC:0105 PID:C7E3\n" +               // any order
         "PID:C7E3 COMP:5 EC:V.X\n" +                // no digit
         "PID:C7E3 COMP:-1 EC:0100\n" +              // component 255
         "PID:C7E3 COMP:300 EC:0100\n" +             // component 44
         std::string(300, 'x') + " PID:C7E3 COMP:6 EC:0106\n" +       // "PID" at column 301
         "PID:C7E3 COMP:7 " + std::string(300, 'y') + " EC:0107\n" +  // "EC:" at column 317
         "PID:C7E3 COMP:8 EC:0108" + std::string(1, '\0') +           // a zero byte ends a line
         "PID:C7E3 COMP:9 EC:0109\n";
}

std::string DeviceReport(const std::string& pid, int comp, int version) {
  return "\nPID:" + pid + "\nCOMP:" + std::to_string(comp) +
         "\nVersion:" + std::to_string(version) + "\n";
}

const char kDeviceHeader[] = "\n================= Device found list =================";
const char kFilesHeader[] = "\n========== The firmware file(s) found list =================";
const char kCatalogueHeader[] = "\n================= Lastest FW files found list =================";
const char kUpdateHeader[] = "\n================= Processing firmware update =================";

// 99 firmware files of distinct components and, found after them since "*.cfg" comes second,
// a hundredth that no longer fits the catalogue.
std::vector<E2eFile> HundredFiles() {
  std::vector<E2eFile> files;
  for (int comp = 1; comp <= 99; ++comp) {
    std::string name = std::to_string(comp);
    if (name.size() < 2) name = "0" + name;
    files.push_back(
        FirmwareFile("f" + name + ".dat", "C7E3", "0200", static_cast<unsigned char>(comp)));
  }
  files.push_back(FirmwareFile("z.cfg", "C7E3", "0200", 100));
  return files;
}

// Twenty devices of components 1 to 20, with the given version for component 19.
std::string TwentyDevices(int version19) {
  std::string devices;
  for (int comp = 1; comp <= 20; ++comp) {
    devices += "C7E3 " + std::to_string(comp) + " " + std::to_string(comp == 19 ? version19 : 100) +
               " SN" + std::to_string(comp) + "\n";
  }
  return devices;
}

std::vector<AutomaticCase> AutomaticCases() {
  return {
      {"listing_examples",
       {ExampleListing(), "", {}},
       {"-deb"},
       std::string(kDeviceHeader) + DeviceReport("C7E3", 1, 105) + DeviceReport("C7E3", 2, 102) +
           DeviceReport("C7E3B", 3, 200) + DeviceReport("C7E3", 4, 1234) +
           DeviceReport("C7E3", 1, 9) + DeviceReport("C7E3", 3, 105) +
           DeviceReport("C7E3", 255, 100) + DeviceReport("C7E3", 44, 100) +
           DeviceReport("C7E3", 6, 106) + DeviceReport("C7E3", 7, 107) +
           DeviceReport("C7E3", 8, 108) + DeviceReport("C7E3", 9, 109),
       {"zunder -L"},
       ""},

      {"no_device_line",
       {"PID:ABCD COMP:1 EC:0100\npid:C7E3 COMP:1 EC:0100\n",
        "",
        {FirmwareFile("fw.dat", "C7E3", "0272", 1)}},
       {"-deb"},
       "",
       {"zunder -L"},
       ""},

      // One device with a newer file of its major level, one whose file is of another major
      // level, one already current, one of component 2 with a lower-case id in its file, and a
      // second device like the first, which gets its own command.
      {"verbose_run",
       {"",
        "C7E3 1 261 SN1001\nC7E3 3 255 SN1002\nC7E3 4 120 SN1003\nC7E3 2 500 SN1004\n"
        "C7E3 1 261 SN1005\n",
        {FirmwareFile("main.dat", "C7E3", "0272", 1),
         FirmwareFile("mainold.dat", "C7E3", "0262", 1), FirmwareFile("cam.dat", "C7E3", "0300", 3),
         FirmwareFile("io.dat", "C7E3", "0120", 4),
         FirmwareFile("display.cfg", "c7e3", "0510", 2)}},
       {"-deb"},
       std::string(kDeviceHeader) + DeviceReport("C7E3", 1, 261) + DeviceReport("C7E3", 3, 255) +
           DeviceReport("C7E3", 4, 120) + DeviceReport("C7E3", 2, 500) +
           DeviceReport("C7E3", 1, 261) + kFilesHeader +
           "\nFileName:cam.dat\nPID:C7E3\nCOMP:3\nVersion:300"
           "\nFileName:io.dat\nPID:C7E3\nCOMP:4\nVersion:120"
           "\nFileName:main.dat\nPID:C7E3\nCOMP:1\nVersion:272"
           "\nFileName:mainold.dat\nPID:C7E3\nCOMP:1\nVersion:262"
           "\nFileName:display.cfg\nPID:C7E3\nCOMP:2\nVersion:510" +
           kCatalogueHeader +
           "\nFileName:cam.dat\nPID:C7E3\nCOMP:3\nVersion:300\n"
           "\nFileName:io.dat\nPID:C7E3\nCOMP:4\nVersion:120\n"
           "\nFileName:main.dat\nPID:C7E3\nCOMP:1\nVersion:272\n"
           "\nFileName:display.cfg\nPID:C7E3\nCOMP:2\nVersion:510\n" +
           kUpdateHeader +
           "\nzunder -F main.dat"
           "\nTarget: PID(C7E3) COMP(1) Version(272)" +
           Flashed("main.dat", 2) +
           "\nUpdate main.dat done"
           "\nzunder -3 60000 -F display.cfg"
           "\nTarget: PID(C7E3) COMP(2) Version(510)" +
           Flashed("display.cfg", 1) +
           "\nUpdate display.cfg done"
           "\nzunder -F main.dat"
           "\nTarget: PID(C7E3) COMP(1) Version(272)" +
           Flashed("main.dat", 2) + "\nUpdate main.dat done",
       {"zunder -L", "zunder -F main.dat", "zunder -3 60000 -F display.cfg", "zunder -F main.dat"},
       "C7E3 1 272 SN1001\nC7E3 3 255 SN1002\nC7E3 4 120 SN1003\nC7E3 2 510 SN1004\n"
       "C7E3 1 272 SN1005\n"},

      // Without "-deb" only the tool's own output is seen.
      {"plain_run",
       {"",
        "C7E3 1 261 SN1\nC7E3 3 255 SN2\n",
        {FirmwareFile("fw.dat", "C7E3", "0272", 1), FirmwareFile("cam.dat", "C7E3", "0300", 3)}},
       {},
       Flashed("fw.dat", 1),
       {"zunder -L", "zunder -F fw.dat"},
       "C7E3 1 272 SN1\nC7E3 3 255 SN2\n"},

      // Per device kind the newest file, found before or after an older one; of two equal
      // versions the first found; "*.dat" before "*.cfg".
      {"newest_file_per_device",
       {"",
        "C7E3 1 100 SN1\nC7E3 3 100 SN3\nC7E3 4 100 SN4\nC7E3 5 100 SN5\n",
        {FirmwareFile("a.dat", "C7E3", "0100", 1), FirmwareFile("b.dat", "C7E3", "0120", 1),
         FirmwareFile("c.dat", "C7E3", "0130", 3), FirmwareFile("d.dat", "C7E3", "0110", 3),
         FirmwareFile("e.dat", "C7E3", "0140", 4), FirmwareFile("f.dat", "C7E3", "0140", 4),
         FirmwareFile("g.cfg", "C7E3", "0150", 5), FirmwareFile("g.dat", "C7E3", "0150", 5)}},
       {},
       Flashed("b.dat", 1) + Flashed("c.dat", 1) + Flashed("e.dat", 1) + Flashed("g.dat", 1),
       {"zunder -L", "zunder -F b.dat", "zunder -F c.dat", "zunder -F e.dat", "zunder -F g.dat"},
       "C7E3 1 120 SN1\nC7E3 3 130 SN3\nC7E3 4 140 SN4\nC7E3 5 150 SN5\n"},

      // "-1" is 65535, newer than 100 but of another major level, so component 1 stays as it is;
      // " 120" is 120, "12AB" is 12 and a field without digits is 0.
      {"version_fields",
       {"",
        "C7E3 1 50 SN1\nC7E3 2 100 SN2\nC7E3 3 12 SN3\nC7E3 4 0 SN4\n",
        {FirmwareFile("k.dat", "C7E3", "0100", 1), FirmwareFile("m.dat", "C7E3", "-1", 1),
         FirmwareFile("n.dat", "C7E3", " 120", 2), FirmwareFile("o.dat", "C7E3", "12AB", 3),
         FirmwareFile("p.dat", "C7E3", "ABCD", 4)}},
       {"-deb"},
       std::string(kDeviceHeader) + DeviceReport("C7E3", 1, 50) + DeviceReport("C7E3", 2, 100) +
           DeviceReport("C7E3", 3, 12) + DeviceReport("C7E3", 4, 0) + kFilesHeader +
           "\nFileName:k.dat\nPID:C7E3\nCOMP:1\nVersion:100"
           "\nFileName:m.dat\nPID:C7E3\nCOMP:1\nVersion:65535"
           "\nFileName:n.dat\nPID:C7E3\nCOMP:2\nVersion:120"
           "\nFileName:o.dat\nPID:C7E3\nCOMP:3\nVersion:12"
           "\nFileName:p.dat\nPID:C7E3\nCOMP:4\nVersion:0" +
           kCatalogueHeader +
           "\nFileName:m.dat\nPID:C7E3\nCOMP:1\nVersion:65535\n"
           "\nFileName:n.dat\nPID:C7E3\nCOMP:2\nVersion:120\n"
           "\nFileName:o.dat\nPID:C7E3\nCOMP:3\nVersion:12\n"
           "\nFileName:p.dat\nPID:C7E3\nCOMP:4\nVersion:0\n" +
           kUpdateHeader +
           "\nzunder -3 60000 -F n.dat"
           "\nTarget: PID(C7E3) COMP(2) Version(120)" +
           Flashed("n.dat", 1) + "\nUpdate n.dat done",
       {"zunder -L", "zunder -3 60000 -F n.dat"},
       "C7E3 1 50 SN1\nC7E3 2 120 SN2\nC7E3 3 12 SN3\nC7E3 4 0 SN4\n"},

      // The catalogue holds 99 files: the hundredth, found last, is dropped.
      {"hundred_files",
       {"", "C7E3 99 100 SN99\nC7E3 100 100 SN100\n", HundredFiles()},
       {},
       Flashed("f99.dat", 1),
       {"zunder -L", "zunder -F f99.dat"},
       "C7E3 99 200 SN99\nC7E3 100 100 SN100\n"},

      // The device table holds 19 devices: the twentieth listed is never updated.
      {"twenty_devices",
       {"",
        TwentyDevices(100),
        {FirmwareFile("s19.dat", "C7E3", "0200", 19), FirmwareFile("s20.dat", "C7E3", "0200", 20)}},
       {},
       Flashed("s19.dat", 1),
       {"zunder -L", "zunder -F s19.dat"},
       TwentyDevices(200)},

      // A folder, a file shorter than a header and an empty file match the patterns but are
      // never read: only the scan's header line shows that they were found. Component 0 is what
      // a short file's missing component byte could be taken for.
      {"unreadable_matches",
       {"",
        "C7E3 0 100 SN1\n",
        {FolderNamed("x.dat"), PlainFile("short.dat", "C7E30200xxxx"), PlainFile("empty.cfg", "")}},
       {"-deb"},
       std::string(kDeviceHeader) + DeviceReport("C7E3", 0, 100) + kFilesHeader,
       {"zunder -L"},
       "C7E3 0 100 SN1\n"},

      // The file name reaches the tool as one argument.
      {"blank_in_file_name",
       {"", "C7E3 1 261 SN1\n", {FirmwareFile("fw v2.dat", "C7E3", "0272", 1)}},
       {},
       Flashed("fw v2.dat", 1),
       {"zunder -L", "zunder -F \"fw v2.dat\""},
       "C7E3 1 272 SN1\n"},
  };
}

// Failure messages name the case rather than dump its bytes.
void PrintTo(const AutomaticCase& c, std::ostream* os) { *os << c.name; }

class AutomaticRun : public ::testing::TestWithParam<AutomaticCase> {};

TEST_P(AutomaticRun, FlashesTheNewestFileOfEachDevice) {
  const AutomaticCase& c = GetParam();
  CE2eFolder folder(std::string("auto_") + c.name, c.setup);

  E2eOutcome first = folder.Run(c.arguments);
  EXPECT_EQ(c.output, first.output);
  EXPECT_EQ(c.log, first.log);
  if (!c.devicesAfter.empty()) {
    EXPECT_EQ(c.devicesAfter, folder.Devices());
  }

  if (c.setup.listing.empty()) {
    // The simulator has updated its devices, so nothing is left to flash.
    E2eOutcome second = folder.Run(c.arguments);
    EXPECT_EQ(std::vector<std::string>{"zunder -L"}, second.log);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, AutomaticRun, ::testing::ValuesIn(AutomaticCases()),
                         [](const ::testing::TestParamInfo<AutomaticCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(Invocation, IsTheInstalledProgram) {
  CE2eFolder folder("auto_invocation", E2eSetup{});
  EXPECT_TRUE(
      std::filesystem::equivalent(OrvaneInvocation(), TestProgram(TEST_STAGE_BIN_DIR, "orvane")));
}

}  // namespace
