// Small helpers of the unit tests: captured standard output in one form on every platform, and
// argument vectors built from literals.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "update_manager.h"

// Windows text-mode output turns "\n" into "\r\n"; the tests compare the "\n" form.
inline std::string WithUnixNewlines(const std::string& text) {
  std::string result;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    result += text[i];
  }
  return result;
}

inline void BeginCapture() { ::testing::internal::CaptureStdout(); }

inline std::string EndCapture() {
  return WithUnixNewlines(::testing::internal::GetCapturedStdout());
}

// An argument vector as main receives it: argv[argc] is a null pointer.
class CArguments {
 public:
  CArguments(const std::vector<std::string>& arguments) : m_strings(arguments) {
    for (std::string& argument : m_strings) m_pointers.push_back(&argument[0]);
    m_pointers.push_back(nullptr);
  }
  CArguments(const CArguments&) = delete;
  CArguments& operator=(const CArguments&) = delete;
  int Count() const { return static_cast<int>(m_strings.size()); }
  char** Vector() { return m_pointers.data(); }

 private:
  std::vector<std::string> m_strings;
  std::vector<char*> m_pointers;
};

// Joins texts with a separator, to print lists in failure messages and compare them in one go.
inline std::string Joined(const std::vector<std::string>& texts, const char* separator = "\n") {
  std::string result;
  for (size_t i = 0; i < texts.size(); ++i) {
    if (i) result += separator;
    result += texts[i];
  }
  return result;
}

// The catalogue as "path pid comp version" rows, one a line.
inline std::string CatalogueRows(const CUpdateManager& manager) {
  std::vector<std::string> rows;
  for (unsigned i = 0; i < manager.m_fileCount; ++i) {
    const FirmwareEntry& file = manager.m_files[i];
    rows.push_back(file.path + " " + file.pid + " " + std::to_string(file.comp) + " " +
                   std::to_string(file.version));
  }
  return Joined(rows);
}
