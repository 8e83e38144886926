// The platform's folder search and header read, in a scratch folder of real files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "test_support.h"
#include "unit_test_helpers.h"
#include "update_manager.h"

namespace {

using std::string;

std::vector<string> Found(const char* pattern) {
  std::vector<string> names;
  SystemFileFinder().FindFiles(pattern, names);
  // The order is the platform's own; these tests look only at what was found.
  std::sort(names.begin(), names.end());
  return names;
}

TEST(SystemFileFinder, MatchesWildcardsWithoutRegardToCase) {
  CScratchFolder folder("finder_wildcards");
  const char* names[] = {"fw.dat",    "FW2.DAT",    "Mixed.Dat", "other.cfg", "BIG.CFG",
                         "notes.txt", "fw.dat.bak", "dat",       "xdat"};
  for (const char* name : names) WriteWholeFile(name, FirmwareHeader("C7E3", "100", 1));
  EXPECT_EQ(Joined(Found("*.dat")), Joined({"FW2.DAT", "Mixed.Dat", "fw.dat"}));
  EXPECT_EQ(Joined(Found("*.cfg")), Joined({"BIG.CFG", "other.cfg"}));
  EXPECT_EQ(Joined(Found("*.bin")), "");
}

TEST(SystemFileFinder, AppendsToTheNamesGiven) {
  CScratchFolder folder("finder_append");
  WriteWholeFile("a.dat", "x");
  std::vector<string> names = {"before"};
  SystemFileFinder().FindFiles("*.dat", names);
  EXPECT_EQ(Joined(names), Joined({"before", "a.dat"}));
}

TEST(SystemFileFinder, EmptyFolderFindsNothing) {
  CScratchFolder folder("finder_empty");
  EXPECT_TRUE(Found("*.dat").empty());
}

struct ReadCase {
  const char* name;
  string bytes;  // the file's content
  size_t size;   // bytes asked for
  string read;   // bytes read
};
void PrintTo(const ReadCase& row, std::ostream* os) { *os << row.name; }

const ReadCase kReadCases[] = {
    {"longer_file_gives_what_was_asked", FirmwareHeader("C7E3", "0105", 2) + "tail bytes", 13,
     FirmwareHeader("C7E3", "0105", 2)},
    {"exact_size", FirmwareHeader("C7E3", "0105", 2), 13, FirmwareHeader("C7E3", "0105", 2)},
    {"short_file_gives_its_length", "C7E3\n", 13, "C7E3\n"},
    {"empty_file_opens_with_nothing_read", "", 13, ""},
    {"zero_and_control_bytes_kept", string("\0\r\n\x1a\xff", 5), 13, string("\0\r\n\x1a\xff", 5)},
};

class HeaderRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(HeaderRead, ReadsTheFirstBytes) {
  const ReadCase& c = GetParam();
  CScratchFolder folder("finder_read");
  WriteWholeFile("f.dat", c.bytes);
  unsigned char buffer[64];
  size_t bytesRead = 99;
  EXPECT_EQ(SystemFileFinder().ReadHeader("f.dat", buffer, c.size, bytesRead), 1);
  EXPECT_EQ(string(reinterpret_cast<const char*>(buffer), bytesRead), c.read);
}

INSTANTIATE_TEST_SUITE_P(Cases, HeaderRead, ::testing::ValuesIn(kReadCases),
                         [](const ::testing::TestParamInfo<ReadCase>& info) {
                           return string(info.param.name);
                         });

// Entries that the scan must pass over: ReadHeader says they cannot be opened.
struct UnopenableCase {
  const char* name;
  const char* entry;
  int folder;  // the entry is made as a folder; otherwise it does not exist
};
void PrintTo(const UnopenableCase& row, std::ostream* os) { *os << row.name; }

const UnopenableCase kUnopenableCases[] = {
    {"missing_file", "gone.dat", 0},
    {"folder_named_like_a_firmware_file", "x.dat", 1},
};

class Unopenable : public ::testing::TestWithParam<UnopenableCase> {};

TEST_P(Unopenable, CannotBeOpened) {
  const UnopenableCase& c = GetParam();
  CScratchFolder folder("finder_unopenable");
  if (c.folder) std::filesystem::create_directory(c.entry);
  unsigned char buffer[13];
  size_t bytesRead = 99;
  EXPECT_EQ(SystemFileFinder().ReadHeader(c.entry, buffer, sizeof(buffer), bytesRead), 0);
  EXPECT_EQ(bytesRead, 0u);
}

INSTANTIATE_TEST_SUITE_P(Cases, Unopenable, ::testing::ValuesIn(kUnopenableCases),
                         [](const ::testing::TestParamInfo<UnopenableCase>& info) {
                           return string(info.param.name);
                         });

// The catalogue over a real folder: upper-case names are found, a folder and a truncated file
// with firmware names are skipped.
TEST(SystemFileFinder, CatalogueOfARealFolder) {
  CScratchFolder folder("finder_catalogue");
  WriteWholeFile("FW.DAT", FirmwareHeader("c7e3", "272", 1));
  WriteWholeFile("cfg.Cfg", FirmwareHeader("C7E3", "7", 2));
  WriteWholeFile("short.dat", FirmwareHeader("C7E3", "999", 3).substr(0, 12));
  std::filesystem::create_directory("x.dat");
  std::filesystem::create_directory("y.cfg");
  CFakeRunner runner;
  CUpdateManager manager(runner, SystemFileFinder());
  manager.Reset();
  manager.ScanFirmwareFiles();
  EXPECT_EQ(CatalogueRows(manager), Joined({"FW.DAT C7E3 1 272", "cfg.Cfg C7E3 2 7"}));
}

}  // namespace
