#include "e2e_harness.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "command_line_text.h"

namespace fs = std::filesystem;

namespace {

const char kStateName[] = "zunder_devices.txt";
const char kLogName[] = "zunder.log";
const char kListingName[] = "zunder_listing.txt";

const bool kWindows = std::string(TEST_EXE_SUFFIX) == ".exe";

// PATH as the test program found it; every change is made from this.
const std::string& OriginalPath() {
  static const std::string path = GetEnvironment("PATH");
  return path;
}

std::string PathWithTools() {
  std::string path = TEST_TOOLS_DIR;
  if (!OriginalPath().empty()) path += TEST_PATH_LIST_SEPARATOR + OriginalPath();
  return path;
}

// PATH without any folder that holds a zunder; system programs are still found.
std::string PathWithoutTools() {
  const std::string separator = TEST_PATH_LIST_SEPARATOR;
  const std::string& original = OriginalPath();
  std::string path;
  size_t begin = 0;
  while (begin <= original.size()) {
    size_t end = original.find(separator, begin);
    if (end == std::string::npos) end = original.size();
    std::string folder = original.substr(begin, end - begin);
    std::error_code ignored;
    if (!folder.empty() && !fs::exists(fs::path(folder) / ("zunder" TEST_EXE_SUFFIX), ignored)) {
      if (!path.empty()) path += separator;
      path += folder;
    }
    begin = end + separator.size();
  }
  return path;
}

// Runs the command line under valgrind when kValgrindVariable asks for it; a report of an
// error or a leak in valgrind's log fails the test that ran it.
std::string RunChecked(const std::string& commandLine, const std::string& logPath) {
  const std::string valgrind = GetEnvironment(kValgrindVariable);
  if (valgrind.empty()) return RunCaptured(commandLine);

  std::error_code ignored;
  fs::remove(logPath, ignored);
  const std::string kinds = "definite,indirect,possible";
  std::string output =
      RunCaptured(QuoteArgument(valgrind) +
                  " --error-exitcode=99 --leak-check=full --show-leak-kinds=" + kinds +
                  " --errors-for-leak-kinds=" + kinds + " " +
                  QuoteArgument("--log-file=" + logPath) + " " + commandLine);
  const std::string log = ReadWholeFile(logPath);
  const std::string summary = "ERROR SUMMARY: ";
  size_t at = log.rfind(summary);
  if (at == std::string::npos) {
    ADD_FAILURE() << "valgrind left no summary in " << logPath << " for " << commandLine << "\n"
                  << log;
  } else if (log.compare(at + summary.size(), 9, "0 errors ") != 0) {
    ADD_FAILURE() << "valgrind found faults in " << commandLine << "\n" << log;
  }
  return output;
}

}  // namespace

const char kValgrindVariable[] = "ORVANE_E2E_VALGRIND";

E2eFile FirmwareFile(const std::string& name, const std::string& pid, const std::string& version,
                     unsigned char comp) {
  return E2eFile{name, FirmwareHeader(pid, version, comp), 0};
}

E2eFile PlainFile(const std::string& name, const std::string& bytes) {
  return E2eFile{name, bytes, 0};
}

E2eFile FolderNamed(const std::string& name) { return E2eFile{name, "", 1}; }

CE2eFolder::CE2eFolder(const std::string& name, const E2eSetup& setup)
    : m_folder(name),
      m_statePath(JoinPath(m_folder.Path(), kStateName)),
      m_logPath(JoinPath(m_folder.Path(), kLogName)),
      m_invocation(OrvaneInvocation()),
      m_underValgrind(1) {
  for (const E2eFile& file : setup.files) {
    if (file.folder) {
      fs::create_directory(JoinPath(m_folder.Path(), file.name));
    } else {
      WriteWholeFile(JoinPath(m_folder.Path(), file.name), file.bytes);
    }
  }
  WriteWholeFile(m_statePath, setup.devices);
  SetEnvironment("ZUNDER_STATE", m_statePath);
  SetEnvironment("ZUNDER_LOG", m_logPath);
  if (setup.listing.empty()) {
    SetEnvironment("ZUNDER_LISTING", "");
  } else {
    std::string listingPath = JoinPath(m_folder.Path(), kListingName);
    WriteWholeFile(listingPath, setup.listing);
    SetEnvironment("ZUNDER_LISTING", listingPath);
  }
  SetEnvironment("PATH", PathWithTools());
}

CE2eFolder::~CE2eFolder() {
  SetEnvironment("PATH", OriginalPath());
  SetEnvironment("ZUNDER_STATE", "");
  SetEnvironment("ZUNDER_LOG", "");
  SetEnvironment("ZUNDER_LISTING", "");
  for (auto saved = m_savedVariables.rbegin(); saved != m_savedVariables.rend(); ++saved) {
    SetEnvironment(saved->first, saved->second);
  }
}

void CE2eFolder::HideTool() {
  SetEnvironment("PATH", PathWithoutTools());
  RunsOutsideValgrind();
}

void CE2eFolder::UseToolFolder(const std::string& folder) {
  const std::string rest = PathWithoutTools();
  SetEnvironment("PATH", rest.empty() ? folder : folder + TEST_PATH_LIST_SEPARATOR + rest);
}

void CE2eFolder::SetToolVariable(const std::string& name, const std::string& value) {
  m_savedVariables.emplace_back(name, GetEnvironment(name));
  SetEnvironment(name, value);
}

std::string CE2eFolder::RunVerbatim(const std::vector<std::string>& arguments) {
  std::error_code ignored;
  fs::remove(m_logPath, ignored);

  std::string command = QuoteArgument(m_invocation);
  for (const std::string& argument : arguments) command += " " + QuoteArgument(argument);
  std::string wrapper;
  for (const std::string& word : m_wrapper) wrapper += QuoteArgument(word) + " ";
  if (!m_underValgrind) return RunCaptured(wrapper + command);
  // The log lies beside the scratch folder, out of the firmware scan's way.
  return RunChecked(command, m_folder.Path() + ".valgrind.log");
}

E2eOutcome CE2eFolder::Run(const std::vector<std::string>& arguments) {
  E2eOutcome outcome;
  outcome.output = NormaliseLineEnds(RunVerbatim(arguments));
  // The simulator ends every command line it logs with "\n".
  const std::string log = ReadWholeFile(m_logPath);
  size_t begin = 0;
  while (begin < log.size()) {
    size_t end = log.find('\n', begin);
    if (end == std::string::npos) end = log.size();
    outcome.log.push_back(TrimTrailingBlanks(log.substr(begin, end - begin)));
    begin = end + 1;
  }
  return outcome;
}

std::string CE2eFolder::Devices() const { return ReadWholeFile(m_statePath); }

std::string OrvaneInvocation() {
  // A scratch folder is <build>/scratch/<case>, the installed programs are in <build>/stage/bin.
  return std::string("../../stage/bin/orvane") + TEST_EXE_SUFFIX;
}

std::string OrvaneShortName() {
  // Dots and slashes are left out of the short name.
  return kWindows ? "stagebinorvaneexe" : "stagebinorvane";
}

std::string ExpandNames(const std::string& text) {
  std::string expanded;
  for (size_t i = 0; i < text.size();) {
    if (text.compare(i, 8, "@ORVANE@") == 0) {
      expanded += OrvaneInvocation();
      i += 8;
    } else if (text.compare(i, 6, "@NAME@") == 0) {
      expanded += OrvaneShortName();
      i += 6;
    } else {
      expanded += text[i++];
    }
  }
  return expanded;
}

std::vector<std::string> ExpandNames(const std::vector<std::string>& lines) {
  std::vector<std::string> expanded;
  for (const std::string& line : lines) expanded.push_back(ExpandNames(line));
  return expanded;
}

std::string NormaliseLineEnds(const std::string& text) {
  std::string normalised;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    normalised += text[i];
  }
  return normalised;
}

std::string TrimTrailingBlanks(const std::string& line) {
  size_t end = line.size();
  while (end > 0 && (line[end - 1] == ' ' || line[end - 1] == '\r')) --end;
  return line.substr(0, end);
}
