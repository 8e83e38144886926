// Quoting and splitting of command lines by the rules of the Windows runtime.
#include "command_line_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "unit_test_helpers.h"

namespace {

using std::string;

struct QuoteCase {
  const char* name;
  string argument;
  string quoted;
};
void PrintTo(const QuoteCase& row, std::ostream* os) { *os << row.name; }

const QuoteCase kQuoteCases[] = {
    {"blank", "FW v2.dat", "\"FW v2.dat\""},
    {"tab", "a\tb", "\"a\tb\""},
    {"only_a_blank", " ", "\" \""},
    {"empty", "", "\"\""},
    {"quote_without_blank", "a\"b", "a\\\"b"},
    {"quote_with_blank", "a \"b\"", "\"a \\\"b\\\"\""},
    {"backslash_before_quote", "a\\\"b", "a\\\\\\\"b"},
    {"two_backslashes_before_quote", "a\\\\\"b", "a\\\\\\\\\\\"b"},
    {"trailing_backslash_with_blank", "my dir\\", "\"my dir\\\\\""},
    {"trailing_backslashes_with_blank", "my dir\\\\", "\"my dir\\\\\\\\\""},
    {"backslashes_inside_stay", "C:\\Program Files\\orvane", "\"C:\\Program Files\\orvane\""},
    {"unc_path_with_blank", "\\\\server\\fw share", "\"\\\\server\\fw share\""},
    {"trailing_backslash_and_quote_without_blank", "a\"b\\", "a\\\"b\\"},
};

class Quote : public ::testing::TestWithParam<QuoteCase> {};

TEST_P(Quote, QuotesByTheRuntimeRules) {
  const QuoteCase& c = GetParam();
  EXPECT_EQ(QuoteArgument(c.argument), c.quoted);
}

INSTANTIATE_TEST_SUITE_P(Cases, Quote, ::testing::ValuesIn(kQuoteCases),
                         [](const ::testing::TestParamInfo<QuoteCase>& info) {
                           return string(info.param.name);
                         });

TEST(Quote, ArgumentsWithoutBlanksTabsOrQuotesStayUnchanged) {
  const char* arguments[] = {"-F",         "zunder", "cfg.dat",  "C:\\fw\\a.dat",
                             "trailing\\", "\\\\",   "-3",       "60000",
                             "a'b",        "$HOME",  "*.dat",    "a;b|c&d",
                             "<x>",        "%PATH%", "\xc3\xa9", "orvane.exe.log",
                             "-s123",      "(x)",    "!^~`",     "a=b,c"};
  for (const char* argument : arguments) EXPECT_EQ(QuoteArgument(argument), argument);
}

// Every argument comes back whole from a command line made of quoted arguments.
TEST(Split, QuotedArgumentsRoundTrip) {
  const std::vector<string> arguments = {
      "FW v2.dat",  "a\tb",       "",         " ",
      "\t",         "a  b",       "\"",       "\"\"",
      "a\"b",       "\"a b\"",    "\\",       "\\\\",
      "x\\",        "x y\\",      "x y\\\\",  "a\\\"b",
      "a\\\\\"b",   "a\\\\\"b c", "\\\"",     "\\\\\"",
      "\\\" \\",    "plain",      "-F",       "C:\\Program Files\\orvane\\orvane.exe.log",
      "\xc3\xa9 x", "\"\"\"",     "end\\\\\\"};
  string line = "program";
  for (const string& argument : arguments) line += " " + QuoteArgument(argument);
  std::vector<string> split = {"stale"};
  SplitCommandLine(line, split);
  std::vector<string> expected = {"program"};
  expected.insert(expected.end(), arguments.begin(), arguments.end());
  ASSERT_EQ(split.size(), expected.size()) << line;
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(split[i], expected[i]) << "argument " << i << " of " << line;
  }
}

TEST(Split, EachArgumentAloneRoundTrips) {
  const char* arguments[] = {"", " ", "a b", "\"", "\\", "x\\", "x y\\", "a\\\"b", "\\\\\" x"};
  for (const char* argument : arguments) {
    std::vector<string> split;
    SplitCommandLine("p " + QuoteArgument(argument), split);
    ASSERT_EQ(split.size(), 2u) << argument;
    EXPECT_EQ(split[1], argument);
  }
}

struct SplitCase {
  const char* name;
  string line;
  std::vector<string> arguments;
};
void PrintTo(const SplitCase& row, std::ostream* os) { *os << row.name; }

const SplitCase kSplitCases[] = {
    {"empty_line", "", {}},
    {"blank_line", " \t ", {}},
    {"program_only", "zunder", {"zunder"}},
    {"blanks_and_tabs_between_and_around", "  zunder \t -L  \t", {"zunder", "-L"}},
    {"trailing_blank_adds_no_argument", "zunder -s 123 -U ", {"zunder", "-s", "123", "-U"}},
    {"quoted_program_name",
     "\"C:\\Program Files\\zunder.exe\" -L",
     {"C:\\Program Files\\zunder.exe", "-L"}},
    // In the program name backslashes are plain characters and quotes only group.
    {"program_name_ending_in_backslash_quote", "\"C:\\dir\\\" -L", {"C:\\dir\\", "-L"}},
    {"program_name_quotes_inside", "a\"b c\"d x", {"ab cd", "x"}},
    {"quotes_group_inside_an_argument", "p -F\"FW v2\".dat", {"p", "-FFW v2.dat"}},
    {"empty_quotes_give_an_empty_argument", "p \"\" x", {"p", "", "x"}},
    {"backslashes_not_before_a_quote_stay", "p a\\\\b\\", {"p", "a\\\\b\\"}},
    {"odd_backslashes_before_a_quote", "p a\\\\\\\"b", {"p", "a\\\"b"}},
    {"even_backslashes_before_a_quote", "p \"a\\\\\" b", {"p", "a\\", "b"}},
    {"doubled_quote_inside_quotes", "p \"a\"\"b\"", {"p", "a\"b"}},
    {"unclosed_quote_runs_to_the_end", "p \"a b", {"p", "a b"}},
    {"adjacent_empty_quotes_outside", "p a\"\"b", {"p", "ab"}},
};

class Split : public ::testing::TestWithParam<SplitCase> {};

TEST_P(Split, SplitsByTheRuntimeRules) {
  const SplitCase& c = GetParam();
  std::vector<string> split = {"stale"};
  SplitCommandLine(c.line, split);
  EXPECT_EQ(Joined(split, "|"), Joined(c.arguments, "|"));
  EXPECT_EQ(split.size(), c.arguments.size());
}

INSTANTIATE_TEST_SUITE_P(Cases, Split, ::testing::ValuesIn(kSplitCases),
                         [](const ::testing::TestParamInfo<SplitCase>& info) {
                           return string(info.param.name);
                         });

}  // namespace
