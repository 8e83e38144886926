// The device table read from the tool's "-L" listing, and the two token readers it uses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"
#include "unit_test_helpers.h"
#include "update_manager.h"

namespace {

using std::string;

const char kListCommand[] = "zunder -L";

struct TokenCase {
  const char* name;
  string line;
  size_t start;
  size_t length;  // the result
  string out;     // out afterwards; it starts as "kept"
};
void PrintTo(const TokenCase& row, std::ostream* os) { *os << row.name; }

const TokenCase kHexCases[] = {
    {"id_after_keyword", "PID:c7e3 COMP:1", 4, 4, "C7E3"},
    {"only_a_to_f_are_upper_cased", "ab-gz_x", 0, 7, "AB-gz_x"},
    {"leading_blanks_skipped", "   C7E3", 0, 4, "C7E3"},
    {"bytes_from_0x80_separate",
     "\x80\xff"
     "ab\x80"
     "cd",
     0, 2, "AB"},
    {"0x7f_is_a_token_byte",
     "a\x7f"
     "b c",
     0, 3,
     "A\x7f"
     "B"},
    {"start_inside_a_token", "abcdef", 2, 4, "CDEF"},
    {"only_blanks_leaves_out", "    ", 0, 0, "kept"},
    {"start_at_end_leaves_out", "abc", 3, 0, "kept"},
    {"start_beyond_end_leaves_out", "abc", 300, 0, "kept"},
    {"token_of_256_bytes_is_counted_whole", string(256, 'x'), 0, 256, string(256, 'x')},
    {"token_of_300_bytes_after_300_blanks", string(300, ' ') + string(300, '1'), 0, 300,
     string(300, '1')},
};

class HexToken : public ::testing::TestWithParam<TokenCase> {};

TEST_P(HexToken, ReadsTheToken) {
  const TokenCase& c = GetParam();
  string out = "kept";
  EXPECT_EQ(ReadHexToken(out, c.line, c.start), c.length);
  EXPECT_EQ(out, c.out);
}

INSTANTIATE_TEST_SUITE_P(Cases, HexToken, ::testing::ValuesIn(kHexCases),
                         [](const ::testing::TestParamInfo<TokenCase>& info) {
                           return string(info.param.name);
                         });

const TokenCase kDigitCases[] = {
    {"four_digits", "0105", 0, 4, "0105"},
    {"dot_skipped", "1.02", 0, 3, "102"},
    {"stops_after_the_fourth_digit", "12345", 0, 4, "1234"},
    {"letters_between_digits_skipped", "v1x2y3z4w5", 0, 4, "1234"},
    {"stops_at_the_token_end", "12 34", 0, 2, "12"},
    {"separators_before_the_token", " \x80 7", 0, 1, "7"},
    {"no_digit_leaves_out", "abc", 0, 0, "kept"},
    {"only_blanks_leaves_out", "   ", 0, 0, "kept"},
    {"start_beyond_end_leaves_out", "12", 5, 0, "kept"},
    {"digits_far_into_a_long_token", string(1000, 'x') + "42", 0, 2, "42"},
};

class DigitToken : public ::testing::TestWithParam<TokenCase> {};

TEST_P(DigitToken, ReadsTheDigits) {
  const TokenCase& c = GetParam();
  string out = "kept";
  EXPECT_EQ(ReadDigitToken(out, c.line, c.start), c.length);
  EXPECT_EQ(out, c.out);
}

INSTANTIATE_TEST_SUITE_P(Cases, DigitToken, ::testing::ValuesIn(kDigitCases),
                         [](const ::testing::TestParamInfo<TokenCase>& info) {
                           return string(info.param.name);
                         });

// The device table as "pid comp version" rows, one a line.
string DeviceTable(const CUpdateManager& manager) {
  std::vector<string> rows;
  for (unsigned i = 0; i < manager.m_deviceCount; ++i) {
    const DeviceEntry& device = manager.m_devices[i];
    rows.push_back(string(device.pid) + " " + std::to_string(device.comp) + " " +
                   std::to_string(device.version));
  }
  return Joined(rows);
}

string Lines(const string& line, int count) {
  string text;
  for (int i = 0; i < count; ++i) text += line + "\r\n";
  return text;
}

struct ListingCase {
  const char* name;
  string listing;
  int result;
  string devices;  // as DeviceTable gives them
};
void PrintTo(const ListingCase& row, std::ostream* os) { *os << row.name; }

const ListingCase kListingCases[] = {
    {"plain_line", "PID:C7E3 COMP:1 EC:0105", 1, "C7E3 1 105"},
    {"lower_case_after_pid_and_dotted_version", "PID: c7e3  comp: 2  ec: 1.02", 1, "C7E3 2 102"},
    {"lower_case_pid_keyword_ignored", "pid:C7E3 COMP:1 EC:0100", 0, ""},
    {"character_after_pid_always_passed_over", "PIDC7E3 COMP:1 EC:0100", 0, ""},
    {"five_character_id_kept_whole", "PID:C7E3B COMP:1 EC:0100", 1, "C7E3B 1 100"},
    {"six_character_id_ignored", "PID:C7E3BA COMP:1 EC:0100", 0, ""},
    {"very_long_id_ignored", "PID:C7E3" + string(5000, 'A') + " COMP:1 EC:0100", 0, ""},
    {"three_character_id_ignored", "PID:C7E COMP:1 EC:0100", 0, ""},
    {"other_product_ignored", "PID:ABCD COMP:1 EC:0100", 0, ""},
    {"five_version_digits_give_the_first_four", "PID:C7E3 COMP:1 EC:01234", 1, "C7E3 1 123"},
    {"first_ec_even_inside_a_longer_word", "PID:C7E3 COMP:1 SPEC:9 EC:0100", 1, "C7E3 1 9"},
    {"first_pid_keyword_counts", "PID:ABCD PID:C7E3 COMP:1 EC:0100", 0, ""},
    {"first_comp_keyword_counts", "PID:C7E3 COMP:1 COMP:2 EC:0100", 1, "C7E3 1 100"},
    {"pid_inside_a_longer_word", "SPID:C7E3 COMP:1 EC:0100", 1, "C7E3 1 100"},
    {"tab_splits_the_line", "PID:C7E3 COMP:1\tEC:0100", 0, ""},
    {"fields_in_any_order", "COMP:3 EC:0105 PID:C7E3", 1, "C7E3 3 105"},
    {"version_without_digit_skipped", "PID:C7E3 COMP:1 EC:abc", 0, ""},
    {"no_version_field_skipped", "PID:C7E3 COMP:1 SN:123", 0, ""},
    {"no_comp_field_skipped", "PID:C7E3 EC:0100", 0, ""},
    {"comp_without_token_skipped", "PID:C7E3 EC:0100 COMP:", 0, ""},
    {"comp_minus_one_is_255", "PID:C7E3 COMP:-1 EC:0100", 1, "C7E3 255 100"},
    {"comp_300_is_44", "PID:C7E3 COMP:300 EC:0100", 1, "C7E3 44 100"},
    {"comp_with_plus_sign", "PID:C7E3 COMP:+7 EC:0100", 1, "C7E3 7 100"},
    {"comp_stops_at_first_non_digit", "PID:C7E3 COMP:12x5 EC:0100", 1, "C7E3 12 100"},
    {"comp_without_digits_is_0", "PID:C7E3 COMP:X EC:0100", 1, "C7E3 0 100"},
    // Digit strings beyond any integer type still give their value modulo 256.
    {"huge_comp_digit_string", "PID:C7E3 COMP:99999999999999999999 EC:0100", 1, "C7E3 255 100"},
    {"huge_negative_comp_digit_string", "PID:C7E3 COMP:-99999999999999999999 EC:0100", 1,
     "C7E3 1 100"},
    {"comp_of_2_to_the_32_plus_3", "PID:C7E3 COMP:4294967299 EC:0100", 1, "C7E3 3 100"},
    {"comp_of_ten_thousand_digits", "PID:C7E3 COMP:" + string(10000, '9') + " EC:0100", 1,
     "C7E3 255 100"},
    {"several_lines_with_crlf",
     "Listing\r\nPID:C7E3 COMP:1 EC:0105 SN:A\r\n\r\n\r\nPID:C7E3 COMP:2 EC:0200 SN:B\r\n", 1,
     "C7E3 1 105\nC7E3 2 200"},
    {"zero_bytes_end_lines", string("PID:C7E3 COMP:1 EC:0105\0PID:C7E3 COMP:2 EC:0200\0\0", 49), 1,
     "C7E3 1 105\nC7E3 2 200"},
    {"zero_byte_inside_a_device_line_splits_it", string("PID:C7E3 COMP:1\0 EC:0100", 24), 0, ""},
    {"any_control_byte_ends_a_line",
     "PID:C7E3 COMP:1\x1f"
     "EC:0100",
     0, ""},
    {"bytes_from_0x80_separate_tokens",
     "PID:C7E3\xb7"
     "COMP:1\xff"
     "EC:0105\xe9",
     1, "C7E3 1 105"},
    {"twenty_lines_give_nineteen_devices", Lines("PID:C7E3 COMP:1 EC:0100", 20), 1,
     Joined(std::vector<string>(19, "C7E3 1 100"))},
    // Keywords far into a line are read where they stand.
    {"pid_at_column_252", string(252, ' ') + "PID:C7E3 COMP:1 EC:0105", 1, "C7E3 1 105"},
    {"pid_at_column_255", string(254, 'x') + " PID:C7E3 COMP:1 EC:0105", 1, "C7E3 1 105"},
    // An 8-bit start column would read the serial number (column 16) as the version here, and
    // the first field (column 0) as the component in the next line.
    {"version_at_column_269_not_taken_from_the_serial",
     "PID:C7E3 COMP:1 SN:5551 " + string(245, ' ') + "EC:0105", 1, "C7E3 1 105"},
    {"comp_at_column_251_not_taken_from_the_start",
     "EC:0105 PID:C7E3 " + string(234, ' ') + "COMP:2", 1, "C7E3 2 105"},
    {"keywords_beyond_column_65535", string(70000, ' ') + "PID:C7E3 COMP:1 EC:0105", 1,
     "C7E3 1 105"},
    {"empty_listing", "", 0, ""},
    {"only_control_bytes", "\r\n\t\x01\x02", 0, ""},
};

class Listing : public ::testing::TestWithParam<ListingCase> {};

TEST_P(Listing, FillsTheDeviceTable) {
  const ListingCase& c = GetParam();
  CFakeRunner runner;
  runner.m_replies[kListCommand] = c.listing;
  CFakeFinder finder;
  CUpdateManager manager(runner, finder);
  manager.Reset();
  BeginCapture();
  int result = manager.ListDevices();
  EXPECT_EQ(EndCapture(), "");
  EXPECT_EQ(result, c.result);
  EXPECT_EQ(DeviceTable(manager), c.devices);
  EXPECT_EQ(Joined(runner.m_events), string("capture ") + kListCommand);
}

INSTANTIATE_TEST_SUITE_P(Cases, Listing, ::testing::ValuesIn(kListingCases),
                         [](const ::testing::TestParamInfo<ListingCase>& info) {
                           return string(info.param.name);
                         });

TEST(Listing, RebuildsTheTableFromScratch) {
  CFakeRunner runner;
  CFakeFinder finder;
  CUpdateManager manager(runner, finder);
  manager.Reset();
  runner.m_replies[kListCommand] = "PID:C7E3 COMP:1 EC:0100\nPID:C7E3 COMP:2 EC:0200\n";
  EXPECT_EQ(manager.ListDevices(), 1);
  runner.m_replies[kListCommand] = "PID:C7E3 COMP:3 EC:0300\n";
  EXPECT_EQ(manager.ListDevices(), 1);
  EXPECT_EQ(DeviceTable(manager), "C7E3 3 300");
}

struct FailureCase {
  const char* name;
  int missing;
  int pipeFails;
  const char* printed;
};
void PrintTo(const FailureCase& row, std::ostream* os) { *os << row.name; }

const FailureCase kFailureCases[] = {
    {"tool_cannot_start", 1, 0, "\nError: Create process failure(2) !\n"},
    {"pipe_cannot_be_made", 0, 1, ""},
};

class ListingFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(ListingFailure, LeavesAnEmptyTable) {
  const FailureCase& c = GetParam();
  CFakeRunner runner;
  runner.m_replies[kListCommand] = "PID:C7E3 COMP:1 EC:0100\n";
  if (c.missing) runner.m_missing.insert(kListCommand);
  runner.m_pipeFails = c.pipeFails;
  CFakeFinder finder;
  CUpdateManager manager(runner, finder);
  manager.Reset();
  manager.AddDevice("C7E3", 1, 1);
  BeginCapture();
  EXPECT_EQ(manager.ListDevices(), 0);
  EXPECT_EQ(EndCapture(), c.printed);
  EXPECT_EQ(manager.m_deviceCount, 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, ListingFailure, ::testing::ValuesIn(kFailureCases),
                         [](const ::testing::TestParamInfo<FailureCase>& info) {
                           return string(info.param.name);
                         });

TEST(AddDevice, KeepsNineteenDevices) {
  CFakeRunner runner;
  CFakeFinder finder;
  CUpdateManager manager(runner, finder);
  manager.Reset();
  for (int i = 0; i < 25; ++i) manager.AddDevice("C7E3B", static_cast<unsigned char>(i), 9999);
  EXPECT_EQ(manager.m_deviceCount, 19);
  EXPECT_STREQ(manager.m_devices[18].pid, "C7E3B");
  EXPECT_EQ(manager.m_devices[18].comp, 18);
  EXPECT_EQ(manager.m_devices[18].version, 9999);
}

TEST(Listing, LineOfSeveralMegabytesAndBinaryGarbage) {
  // Garbage made from every byte value, then one device line at the end of a 4 MB line.
  string garbage;
  for (int i = 0; i < 1 << 20; ++i) garbage += static_cast<char>((i * 131 + 7) & 0xFF);
  string listing = garbage + "\n" + string(4 << 20, 'P') + " PID:C7E3 COMP:1 EC:0105";
  CFakeRunner runner;
  runner.m_replies[kListCommand] = listing;
  CFakeFinder finder;
  CUpdateManager manager(runner, finder);
  manager.Reset();
  EXPECT_EQ(manager.ListDevices(), 1);
  EXPECT_EQ(DeviceTable(manager), "C7E3 1 105");
}

}  // namespace
