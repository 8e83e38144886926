// The automatic run as a whole (listing, catalogue, update pass) with the tool and the folder
// replaced: which update commands run, in which order, with their pauses, and what verbose mode
// prints.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "test_support.h"
#include "unit_test_helpers.h"
#include "update_manager.h"

namespace {

const char kListCommand[] = "zunder -L";

// A runner whose pipe cannot be made for chosen command lines only.
class CPipeFailingRunner : public CFakeRunner {
 public:
  ProcessOutcome Run(const std::string& commandLine, int capture, std::string& captured) override {
    if (m_pipeFailures.count(commandLine)) return ProcessOutcome{0, 0, 0};
    return CFakeRunner::Run(commandLine, capture, captured);
  }
  std::set<std::string> m_pipeFailures;
};

struct FirmwareFile {
  const char* name;
  const char* pid;
  const char* version;
  unsigned char comp;
};

struct CRun {
  CPipeFailingRunner runner;
  CFakeFinder finder;
  CUpdateManager manager{runner, finder};
  std::string output;
  int status = -1;

  CRun(const std::string& listing, const std::vector<FirmwareFile>& files) {
    runner.m_replies[kListCommand] = listing;
    for (const FirmwareFile& file : files) {
      finder.Add(file.name, FirmwareHeader(file.pid, file.version, file.comp));
    }
  }

  void Go(const std::vector<std::string>& arguments) {
    CArguments argv(arguments);
    BeginCapture();
    status = manager.Run(argv.Count(), argv.Vector());
    output = EndCapture();
  }
};

// Which devices are flashed with which file. Every run starts with the listing.
struct PassCase {
  const char* name;
  const char* listing;
  std::vector<FirmwareFile> files;
  std::vector<std::string> events;  // after "capture zunder -L"
};
void PrintTo(const PassCase& row, std::ostream* os) { *os << row.name; }

const PassCase kPassCases[] = {
    {"same_major_level_newer_file_is_flashed",
     "PID:C7E3 COMP:1 EC:0261\n",
     {{"A.dat", "C7E3", "272", 1}},
     {"run zunder -F A.dat", "pause 3000"}},
    {"newer_file_of_higher_major_level_is_not_flashed",
     "PID:C7E3 COMP:1 EC:0255\n",
     {{"A.dat", "C7E3", "300", 1}},
     {}},
    {"equal_version_is_not_flashed",
     "PID:C7E3 COMP:1 EC:0261\n",
     {{"A.dat", "C7E3", "261", 1}},
     {}},
    {"older_file_is_not_flashed", "PID:C7E3 COMP:1 EC:0272\n", {{"A.dat", "C7E3", "261", 1}}, {}},
    {"major_level_boundaries",
     "PID:C7E3 COMP:1 EC:0256\nPID:C7E3 COMP:3 EC:0511\n",
     {{"A.dat", "C7E3", "511", 1}, {"C.dat", "C7E3", "512", 3}},
     {"run zunder -F A.dat", "pause 3000"}},
    {"component_2_gets_the_long_timeout",
     "PID:C7E3 COMP:2 EC:0100\n",
     {{"B.dat", "C7E3", "101", 2}},
     {"run zunder -3 60000 -F B.dat", "pause 3000"}},
    {"components_other_than_2_get_the_plain_command",
     "PID:C7E3 COMP:0 EC:0100\nPID:C7E3 COMP:3 EC:0100\n",
     {{"Z.dat", "C7E3", "101", 0}, {"T.dat", "C7E3", "101", 3}},
     {"run zunder -F Z.dat", "pause 3000", "run zunder -F T.dat", "pause 3000"}},
    {"lower_case_file_id_matches",
     "PID:C7E3 COMP:1 EC:0100\n",
     {{"a.dat", "c7e3", "101", 1}},
     {"run zunder -F a.dat", "pause 3000"}},
    {"two_identical_devices_get_an_update_each",
     "PID:C7E3 COMP:1 EC:0100 SN:1\nPID:C7E3 COMP:1 EC:0100 SN:2\n",
     {{"A.dat", "C7E3", "101", 1}},
     {"run zunder -F A.dat", "pause 3000", "run zunder -F A.dat", "pause 3000"}},
    {"five_character_device_id_matches_on_its_first_four",
     "PID:C7E3B COMP:1 EC:0100\n",
     {{"A.dat", "C7E3", "101", 1}},
     {"run zunder -F A.dat", "pause 3000"}},
    {"file_of_other_product_is_not_flashed",
     "PID:C7E3 COMP:1 EC:0100\n",
     {{"A.dat", "ABCD", "101", 1}},
     {}},
    {"file_of_other_component_is_not_flashed",
     "PID:C7E3 COMP:1 EC:0100\n",
     {{"A.dat", "C7E3", "101", 2}},
     {}},
    {"devices_in_table_order_each_with_its_own_file",
     "PID:C7E3 COMP:3 EC:0100\nPID:C7E3 COMP:1 EC:0200\n",
     {{"A.dat", "C7E3", "201", 1}, {"C.cfg", "C7E3", "102", 3}},
     {"run zunder -F C.cfg", "pause 3000", "run zunder -F A.dat", "pause 3000"}},
    {"newest_of_several_files_is_flashed",
     "PID:C7E3 COMP:1 EC:0261\n",
     {{"A.dat", "C7E3", "262", 1}, {"B.dat", "C7E3", "270", 1}, {"C.dat", "C7E3", "265", 1}},
     {"run zunder -F B.dat", "pause 3000"}},
    {"file_name_with_a_blank_is_quoted",
     "PID:C7E3 COMP:1 EC:0100\n",
     {{"FW v2.dat", "C7E3", "101", 1}},
     {"run zunder -F \"FW v2.dat\"", "pause 3000"}},
    {"no_device_listed_nothing_is_flashed", "", {{"A.dat", "C7E3", "101", 1}}, {}},
    {"no_file_nothing_is_flashed", "PID:C7E3 COMP:1 EC:0100\n", {}, {}},
};

class UpdatePass : public ::testing::TestWithParam<PassCase> {};

TEST_P(UpdatePass, RunsTheExpectedCommands) {
  const PassCase& c = GetParam();
  CRun run(c.listing, c.files);
  run.Go({"orvane"});
  std::vector<std::string> expected = {std::string("capture ") + kListCommand};
  expected.insert(expected.end(), c.events.begin(), c.events.end());
  EXPECT_EQ(Joined(run.runner.m_events), Joined(expected));
  EXPECT_EQ(run.status, 0);
  // Without "-deb" the automatic run prints nothing of its own.
  EXPECT_EQ(run.output, "");
}

INSTANTIATE_TEST_SUITE_P(Cases, UpdatePass, ::testing::ValuesIn(kPassCases),
                         [](const ::testing::TestParamInfo<PassCase>& info) {
                           return std::string(info.param.name);
                         });

// Verbose mode, byte for byte, with the commands that ran.
struct VerboseCase {
  const char* name;
  const char* listing;
  std::vector<FirmwareFile> files;
  std::vector<std::string> unopenable;    // further files that match but cannot be opened
  std::vector<std::string> missing;       // update commands whose program cannot start
  std::vector<std::string> pipeFailures;  // update commands whose pipe cannot be made
  std::vector<std::string> events;        // after "capture zunder -L"
  const char* output;
};
void PrintTo(const VerboseCase& row, std::ostream* os) { *os << row.name; }

#define DEVICE_HEADER "\n================= Device found list ================="
#define SCAN_HEADER "\n========== The firmware file(s) found list ================="
#define CATALOGUE_HEADER "\n================= Lastest FW files found list ================="
#define PROCESSING_HEADER "\n================= Processing firmware update ================="

const VerboseCase kVerboseCases[] = {
    {"two_updates_with_every_report",
     "PID:C7E3B COMP:1 EC:0261 SN:A1\nPID:C7E3 COMP:2 EC:0100 SN:B2\n",
     {{"A.dat", "c7e3", "272", 1}, {"B.dat", "C7E3", "101", 2}},
     {},
     {},
     {},
     {"run zunder -F A.dat", "pause 3000", "run zunder -3 60000 -F B.dat", "pause 3000"},
     DEVICE_HEADER "\nPID:C7E3B\nCOMP:1\nVersion:261\n"
                   "\nPID:C7E3\nCOMP:2\nVersion:100\n" SCAN_HEADER
                   "\nFileName:A.dat\nPID:C7E3\nCOMP:1\nVersion:272"
                   "\nFileName:B.dat\nPID:C7E3\nCOMP:2\nVersion:101" CATALOGUE_HEADER
                   "\nFileName:A.dat\nPID:C7E3\nCOMP:1\nVersion:272\n"
                   "\nFileName:B.dat\nPID:C7E3\nCOMP:2\nVersion:101\n" PROCESSING_HEADER
                   "\nzunder -F A.dat"
                   "\nTarget: PID(C7E3) COMP(1) Version(272)"
                   "\nUpdate A.dat done"
                   "\nzunder -3 60000 -F B.dat"
                   "\nTarget: PID(C7E3) COMP(2) Version(101)"
                   "\nUpdate B.dat done"},
    {"nothing_newer_prints_both_lists_and_no_processing_header",
     "PID:C7E3 COMP:1 EC:0300\n",
     {{"A.dat", "C7E3", "300", 1}},
     {},
     {},
     {},
     {},
     DEVICE_HEADER "\nPID:C7E3\nCOMP:1\nVersion:300\n" SCAN_HEADER
                   "\nFileName:A.dat\nPID:C7E3\nCOMP:1\nVersion:300" CATALOGUE_HEADER
                   "\nFileName:A.dat\nPID:C7E3\nCOMP:1\nVersion:300\n"},
    {"empty_catalogue_prints_the_device_list_only",
     "PID:C7E3 COMP:1 EC:0100\n",
     {},
     {},
     {},
     {},
     {},
     DEVICE_HEADER "\nPID:C7E3\nCOMP:1\nVersion:100\n"},
    {"files_found_but_none_opened_print_the_scan_header_only",
     "PID:C7E3 COMP:1 EC:0100\n",
     {},
     {"A.dat", "B.cfg"},
     {},
     {},
     {},
     DEVICE_HEADER "\nPID:C7E3\nCOMP:1\nVersion:100\n" SCAN_HEADER},
    {"update_that_cannot_start_is_not_reported_done_and_the_next_goes_on",
     "PID:C7E3 COMP:1 EC:0100\nPID:C7E3 COMP:2 EC:0100\n",
     {{"A.dat", "C7E3", "101", 1}, {"B.dat", "C7E3", "101", 2}},
     {},
     {"zunder -F A.dat"},
     {},
     {"pause 3000", "run zunder -3 60000 -F B.dat", "pause 3000"},
     DEVICE_HEADER "\nPID:C7E3\nCOMP:1\nVersion:100\n"
                   "\nPID:C7E3\nCOMP:2\nVersion:100\n" SCAN_HEADER
                   "\nFileName:A.dat\nPID:C7E3\nCOMP:1\nVersion:101"
                   "\nFileName:B.dat\nPID:C7E3\nCOMP:2\nVersion:101" CATALOGUE_HEADER
                   "\nFileName:A.dat\nPID:C7E3\nCOMP:1\nVersion:101\n"
                   "\nFileName:B.dat\nPID:C7E3\nCOMP:2\nVersion:101\n" PROCESSING_HEADER
                   "\nzunder -F A.dat"
                   "\nTarget: PID(C7E3) COMP(1) Version(101)"
                   "\nError: Create process failure(2) !\n"
                   "\nzunder -3 60000 -F B.dat"
                   "\nTarget: PID(C7E3) COMP(2) Version(101)"
                   "\nUpdate B.dat done"},
    {"update_whose_pipe_fails_is_silent_and_still_paused",
     "PID:C7E3 COMP:1 EC:0100\n",
     {{"A.dat", "C7E3", "101", 1}},
     {},
     {},
     {"zunder -F A.dat"},
     {"pause 3000"},
     DEVICE_HEADER "\nPID:C7E3\nCOMP:1\nVersion:100\n" SCAN_HEADER
                   "\nFileName:A.dat\nPID:C7E3\nCOMP:1\nVersion:101" CATALOGUE_HEADER
                   "\nFileName:A.dat\nPID:C7E3\nCOMP:1\nVersion:101\n" PROCESSING_HEADER
                   "\nzunder -F A.dat"
                   "\nTarget: PID(C7E3) COMP(1) Version(101)"},
    {"file_name_with_a_blank_is_quoted_in_the_command_only",
     "PID:C7E3 COMP:1 EC:0100\n",
     {{"FW v2.dat", "C7E3", "101", 1}},
     {},
     {},
     {},
     {"run zunder -F \"FW v2.dat\"", "pause 3000"},
     DEVICE_HEADER "\nPID:C7E3\nCOMP:1\nVersion:100\n" SCAN_HEADER
                   "\nFileName:FW v2.dat\nPID:C7E3\nCOMP:1\nVersion:101" CATALOGUE_HEADER
                   "\nFileName:FW v2.dat\nPID:C7E3\nCOMP:1\nVersion:101\n" PROCESSING_HEADER
                   "\nzunder -F \"FW v2.dat\""
                   "\nTarget: PID(C7E3) COMP(1) Version(101)"
                   "\nUpdate FW v2.dat done"},
    {"no_device_prints_nothing", "", {{"A.dat", "C7E3", "101", 1}}, {}, {}, {}, {}, ""},
};

class VerboseRun : public ::testing::TestWithParam<VerboseCase> {};

TEST_P(VerboseRun, PrintsEveryReport) {
  const VerboseCase& c = GetParam();
  CRun run(c.listing, c.files);
  for (const std::string& name : c.unopenable) run.finder.Add(name, "", 0);
  run.runner.m_missing.insert(c.missing.begin(), c.missing.end());
  run.runner.m_pipeFailures.insert(c.pipeFailures.begin(), c.pipeFailures.end());
  run.Go({"orvane", "-deb"});
  EXPECT_EQ(run.output, c.output);
  std::vector<std::string> expected = {std::string("capture ") + kListCommand};
  expected.insert(expected.end(), c.events.begin(), c.events.end());
  EXPECT_EQ(Joined(run.runner.m_events), Joined(expected));
  EXPECT_EQ(run.status, 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, VerboseRun, ::testing::ValuesIn(kVerboseCases),
                         [](const ::testing::TestParamInfo<VerboseCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(AutomaticRun, ListingToolThatCannotStartEndsTheRun) {
  CRun run("PID:C7E3 COMP:1 EC:0100\n", {{"A.dat", "C7E3", "101", 1}});
  run.runner.m_missing.insert(kListCommand);
  run.Go({"orvane", "-deb"});
  EXPECT_EQ(run.output, "\nError: Create process failure(2) !\n");
  EXPECT_TRUE(run.runner.m_events.empty());
  EXPECT_EQ(run.status, 0);
}

TEST(AutomaticRun, ListingPipeFailureEndsTheRunSilently) {
  CRun run("PID:C7E3 COMP:1 EC:0100\n", {{"A.dat", "C7E3", "101", 1}});
  run.runner.m_pipeFails = 1;
  run.Go({"orvane", "-deb"});
  EXPECT_EQ(run.output, "");
  EXPECT_TRUE(run.runner.m_events.empty());
  EXPECT_EQ(run.status, 0);
}

TEST(AutomaticRun, StaleTableContentIsNotUsedAgain) {
  // A second run on the same manager goes by the counts alone: the file of the first run is
  // still in its slot but no longer in the folder, so nothing is flashed.
  CRun run("PID:C7E3 COMP:1 EC:0100\n", {{"A.dat", "C7E3", "101", 1}});
  run.Go({"orvane"});
  ASSERT_EQ(run.runner.m_events.size(), 3u);
  run.runner.m_events.clear();
  run.finder.m_files.clear();
  run.Go({"orvane"});
  EXPECT_EQ(Joined(run.runner.m_events), std::string("capture ") + kListCommand);
}

}  // namespace
