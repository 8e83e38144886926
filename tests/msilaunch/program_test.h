// Runs the built msilaunch in a scratch folder, with a stand-in for msiexec where the platform's
// interpreter finds it, and with no standard input, so that every pause returns at once.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "test_support.h"

// Provided by the platform's file (program_win32_test.cpp, program_posix_test.cpp):
// Puts the stand-in where "msiexec" run from folder by the interpreter is found first.
void PlaceStandIn(const std::string& folder);
// Text as the program under test writes it to standard output.
std::string NativeText(const std::string& text);
// The platform's pause prompt, as a regular expression.
const char* PausePromptPattern();

class MsilaunchRun : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs msilaunch with these arguments after the program name, each given whole; returns its
  // output with every pause prompt written as "<pause>".
  std::string Launch(const std::vector<std::string>& arguments);
  // The stand-in's record: one line per start, its arguments in brackets.
  std::string StandInLog();
  void SetStandInStatus(const std::string& status);

  std::unique_ptr<CScratchFolder> m_folder;
  std::string m_savedPath;
};

// One start of the stand-in and what msilaunch makes of its status.
struct StatusRow {
  const char* name;
  const char* path;
  const char* word;
  const char* status;  // the stand-in's exit status
  const char* log;     // its record
  const char* output;  // what msilaunch prints, "\n" for a line end
};

inline void PrintTo(const StatusRow& row, std::ostream* out) { *out << row.name; }

class StatusReport : public MsilaunchRun, public ::testing::WithParamInterface<StatusRow> {};

std::string StatusRowName(const ::testing::TestParamInfo<StatusRow>& info);

// A package path that holds characters the interpreter would act on outside quotes.
struct PathRow {
  const char* name;
  const char* path;
  int refused;  // 1: msilaunch shows the usage text and runs nothing
};

inline void PrintTo(const PathRow& row, std::ostream* out) { *out << row.name; }

class PathAsData : public MsilaunchRun, public ::testing::WithParamInterface<PathRow> {};

std::string PathRowName(const ::testing::TestParamInfo<PathRow>& info);
