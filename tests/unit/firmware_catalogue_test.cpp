// The firmware catalogue built from the headers of a folder's "*.dat" and "*.cfg" files, held in
// memory by the fake finder.
#include <gtest/gtest.h>
#include <stdio.h>

#include <string>
#include <vector>

#include "test_support.h"
#include "unit_test_helpers.h"
#include "update_manager.h"

namespace {

using std::string;

struct FakeFile {
  string name;
  string bytes;
  int openable;
};

FakeFile File(const string& name, const string& pid, const string& version, unsigned char comp) {
  return FakeFile{name, FirmwareHeader(pid, version, comp), 1};
}

// 100 files with distinct keys (component 0 to 99), then what follows them.
std::vector<FakeFile> HundredKeys(const std::vector<FakeFile>& after) {
  std::vector<FakeFile> files;
  for (int i = 0; i < 100; ++i) {
    char name[16];
    snprintf(name, sizeof(name), "F%03d.dat", i);
    files.push_back(File(name, "C7E3", "100", static_cast<unsigned char>(i)));
  }
  files.insert(files.end(), after.begin(), after.end());
  return files;
}

string HundredKeysCatalogue(const char* firstRow) {
  std::vector<string> rows = {firstRow};
  for (int i = 1; i < 99; ++i) {
    char row[32];
    snprintf(row, sizeof(row), "F%03d.dat C7E3 %d 100", i, i);
    rows.push_back(row);
  }
  return Joined(rows);
}

struct ScanCase {
  const char* name;
  std::vector<FakeFile> files;  // in the order the folder search returns them
  string catalogue;
};
void PrintTo(const ScanCase& row, std::ostream* os) { *os << row.name; }

const ScanCase kScanCases[] = {
    {"newest_of_a_key_wins_found_last",
     {File("A.dat", "C7E3", "100", 1), File("B.dat", "C7E3", "120", 1)},
     "B.dat C7E3 1 120"},
    {"newest_of_a_key_wins_found_first",
     {File("B.dat", "C7E3", "120", 1), File("A.dat", "C7E3", "100", 1)},
     "B.dat C7E3 1 120"},
    {"equal_versions_keep_the_first_found",
     {File("A.dat", "C7E3", "100", 1), File("B.dat", "C7E3", "100", 1)},
     "A.dat C7E3 1 100"},
    {"dat_is_searched_before_cfg",
     {File("A.cfg", "C7E3", "100", 1), File("A.dat", "C7E3", "100", 1)},
     "A.dat C7E3 1 100"},
    {"newer_cfg_replaces_dat",
     {File("A.cfg", "C7E3", "101", 1), File("A.dat", "C7E3", "100", 1)},
     "A.cfg C7E3 1 101"},
    {"lower_case_id_upper_cased", {File("a.dat", "c7e3", "100", 1)}, "a.dat C7E3 1 100"},
    {"only_a_to_f_upper_cased", {File("a.dat", "xbgz", "100", 1)}, "a.dat xBgz 1 100"},
    {"lower_and_upper_case_ids_are_one_key",
     {File("a.dat", "c7e3", "100", 1), File("b.dat", "C7E3", "101", 1)},
     "b.dat C7E3 1 101"},
    {"version_minus_one_is_65535", {File("A.dat", "C7E3", "-1", 1)}, "A.dat C7E3 1 65535"},
    {"version_minus_999_wraps", {File("A.dat", "C7E3", "-999", 1)}, "A.dat C7E3 1 64537"},
    {"version_with_leading_blank", {File("A.dat", "C7E3", " 120", 1)}, "A.dat C7E3 1 120"},
    {"version_with_leading_tab", {File("A.dat", "C7E3", "\t120", 1)}, "A.dat C7E3 1 120"},
    {"version_with_plus_sign", {File("A.dat", "C7E3", "+120", 1)}, "A.dat C7E3 1 120"},
    {"version_stops_at_a_letter", {File("A.dat", "C7E3", "12AB", 1)}, "A.dat C7E3 1 12"},
    {"version_without_digits_is_0", {File("A.dat", "C7E3", "ABCD", 1)}, "A.dat C7E3 1 0"},
    {"version_stops_at_a_zero_byte",
     {File("A.dat", "C7E3", string("1") + '\0' + "23", 1)},
     "A.dat C7E3 1 1"},
    {"version_9999", {File("A.dat", "C7E3", "9999", 1)}, "A.dat C7E3 1 9999"},
    {"components_1_and_2_are_separate_keys",
     {File("A.dat", "C7E3", "100", 1), File("B.dat", "C7E3", "100", 2)},
     "A.dat C7E3 1 100\nB.dat C7E3 2 100"},
    {"component_byte_is_unsigned", {File("A.dat", "C7E3", "100", 255)}, "A.dat C7E3 255 100"},
    {"other_product_is_catalogued", {File("A.dat", "ABCD", "100", 1)}, "A.dat ABCD 1 100"},
    {"unopenable_file_skipped",
     {FakeFile{"A.dat", FirmwareHeader("C7E3", "200", 1), 0}, File("B.dat", "C7E3", "100", 1)},
     "B.dat C7E3 1 100"},
    {"file_of_12_bytes_skipped",
     {FakeFile{"A.dat", FirmwareHeader("C7E3", "200", 1).substr(0, 12), 1},
      File("B.dat", "C7E3", "100", 1)},
     "B.dat C7E3 1 100"},
    {"empty_file_skipped", {FakeFile{"A.dat", "", 1}}, ""},
    {"file_of_13_bytes_catalogued",
     {FakeFile{"A.dat",
               "C7E3"
               "0105"
               "abcd"
               "\x02",
               1}},
     "A.dat C7E3 2 105"},
    {"bytes_after_the_header_ignored",
     {FakeFile{"A.dat", FirmwareHeader("C7E3", "105", 2) + "C7E3 999\x05", 1}},
     "A.dat C7E3 2 105"},
    {"no_files", {}, ""},
    {"hundred_distinct_keys_keep_ninety_nine", HundredKeys({}),
     HundredKeysCatalogue("F000.dat C7E3 0 100")},
    {"full_catalogue_still_takes_a_newer_file_of_a_known_key",
     HundredKeys({File("N.cfg", "C7E3", "150", 0)}), HundredKeysCatalogue("N.cfg C7E3 0 150")},
};

class Scan : public ::testing::TestWithParam<ScanCase> {};

TEST_P(Scan, KeepsTheNewestFilePerKey) {
  const ScanCase& c = GetParam();
  CFakeRunner runner;
  CFakeFinder finder;
  for (const FakeFile& file : c.files) finder.Add(file.name, file.bytes, file.openable);
  CUpdateManager manager(runner, finder);
  manager.Reset();
  BeginCapture();
  manager.ScanFirmwareFiles();
  EXPECT_EQ(EndCapture(), "");
  EXPECT_EQ(CatalogueRows(manager), c.catalogue);
  EXPECT_TRUE(runner.m_events.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, Scan, ::testing::ValuesIn(kScanCases),
                         [](const ::testing::TestParamInfo<ScanCase>& info) {
                           return string(info.param.name);
                         });

TEST(Scan, RebuildsTheCatalogueFromScratch) {
  CFakeRunner runner;
  CFakeFinder finder;
  finder.Add("A.dat", FirmwareHeader("C7E3", "100", 1));
  finder.Add("B.dat", FirmwareHeader("C7E3", "100", 2));
  CUpdateManager manager(runner, finder);
  manager.Reset();
  manager.ScanFirmwareFiles();
  finder.m_files.erase(finder.m_files.begin());
  manager.ScanFirmwareFiles();
  EXPECT_EQ(CatalogueRows(manager), "B.dat C7E3 2 100");
}

struct VerboseScanCase {
  const char* name;
  std::vector<FakeFile> files;
  const char* output;
};
void PrintTo(const VerboseScanCase& row, std::ostream* os) { *os << row.name; }

#define SCAN_HEADER "\n========== The firmware file(s) found list ================="

const VerboseScanCase kVerboseScanCases[] = {
    {"every_opened_file_reported_in_search_order",
     {File("B.cfg", "c7e3", "7", 2), File("A.dat", "C7E3", "100", 1),
      File("C.dat", "C7E3", "90", 1)},
     SCAN_HEADER "\nFileName:A.dat\nPID:C7E3\nCOMP:1\nVersion:100"
                 "\nFileName:C.dat\nPID:C7E3\nCOMP:1\nVersion:90"
                 "\nFileName:B.cfg\nPID:C7E3\nCOMP:2\nVersion:7"},
    {"skipped_files_not_reported",
     {FakeFile{"A.dat", FirmwareHeader("C7E3", "100", 1), 0}, FakeFile{"S.dat", "C7E3010", 1},
      File("B.cfg", "C7E3", "-1", 3)},
     SCAN_HEADER "\nFileName:B.cfg\nPID:C7E3\nCOMP:3\nVersion:65535"},
    {"header_printed_before_the_first_file_is_opened", {FakeFile{"A.cfg", "", 0}}, SCAN_HEADER},
    {"nothing_found_prints_nothing", {}, ""},
};

class VerboseScan : public ::testing::TestWithParam<VerboseScanCase> {};

TEST_P(VerboseScan, ReportsEveryFile) {
  const VerboseScanCase& c = GetParam();
  CFakeRunner runner;
  CFakeFinder finder;
  for (const FakeFile& file : c.files) finder.Add(file.name, file.bytes, file.openable);
  CUpdateManager manager(runner, finder);
  manager.Reset();
  manager.m_debug = 1;
  BeginCapture();
  manager.ScanFirmwareFiles();
  EXPECT_EQ(EndCapture(), c.output);
}

INSTANTIATE_TEST_SUITE_P(Cases, VerboseScan, ::testing::ValuesIn(kVerboseScanCases),
                         [](const ::testing::TestParamInfo<VerboseScanCase>& info) {
                           return string(info.param.name);
                         });

struct CatalogueEntry {
  const char* pid;
  unsigned char comp;
};

struct FindCase {
  const char* name;
  std::vector<CatalogueEntry> entries;
  unsigned char count;  // used slots; the others hold stale content
  const char* pid;
  unsigned char comp;
  int found;
  unsigned char index;  // afterwards; it starts as 77
};
void PrintTo(const FindCase& row, std::ostream* os) { *os << row.name; }

const FindCase kFindCases[] = {
    {"first_slot", {{"C7E3", 1}, {"C7E3", 2}}, 2, "C7E3", 1, 1, 0},
    {"later_slot", {{"C7E3", 1}, {"C7E3", 2}}, 2, "C7E3", 2, 1, 1},
    {"first_match_wins", {{"ABCD", 1}, {"C7E3", 1}, {"C7E3", 1}}, 3, "C7E3", 1, 1, 1},
    {"five_character_id_matches_on_four", {{"C7E3", 1}}, 1, "C7E3B", 1, 1, 0},
    {"case_matters", {{"C7E3", 1}}, 1, "c7e3", 1, 0, 77},
    {"other_component", {{"C7E3", 1}}, 1, "C7E3", 2, 0, 77},
    {"shorter_id_does_not_match", {{"C7E3", 1}}, 1, "C7E", 1, 0, 77},
    {"slots_beyond_the_count_are_not_searched", {{"ABCD", 1}, {"C7E3", 1}}, 1, "C7E3", 1, 0, 77},
    {"empty_catalogue", {}, 0, "C7E3", 1, 0, 77},
};

class Find : public ::testing::TestWithParam<FindCase> {};

TEST_P(Find, LooksUpByIdAndComponent) {
  const FindCase& c = GetParam();
  CFakeRunner runner;
  CFakeFinder finder;
  CUpdateManager manager(runner, finder);
  manager.Reset();
  for (size_t i = 0; i < c.entries.size(); ++i) {
    snprintf(manager.m_files[i].pid, sizeof(manager.m_files[i].pid), "%s", c.entries[i].pid);
    manager.m_files[i].comp = c.entries[i].comp;
  }
  manager.m_fileCount = c.count;
  unsigned char index = 77;
  EXPECT_EQ(manager.FindFirmware(c.pid, c.comp, index), c.found);
  EXPECT_EQ(index, c.index);
}

INSTANTIATE_TEST_SUITE_P(Cases, Find, ::testing::ValuesIn(kFindCases),
                         [](const ::testing::TestParamInfo<FindCase>& info) {
                           return string(info.param.name);
                         });

struct UpperCase {
  const char* text;
  const char* expected;
};

TEST(UpperHexDigits, ChangesOnlyLowerCaseAToF) {
  const UpperCase cases[] = {
      {"c7e3", "C7E3"}, {"abcdefgh", "ABCDEFgh"}, {"ABCDEF", "ABCDEF"},
      {"", ""},         {"z9-a\xe1", "z9-A\xe1"},
  };
  CUpdateManager manager;
  for (const UpperCase& c : cases) {
    char text[16];
    snprintf(text, sizeof(text), "%s", c.text);
    manager.UpperHexDigits(text);
    EXPECT_STREQ(text, c.expected) << "from " << c.text;
  }
}

TEST(UpperHexDigits, StopsAtTheTerminator) {
  char text[] = {'a', 'b', '\0', 'c', 'd', '\0'};
  CUpdateManager manager;
  manager.UpperHexDigits(text);
  EXPECT_EQ(string(text, sizeof(text)), string("AB\0cd\0", 6));
}

}  // namespace
