#include "test_support.h"

#include <stdio.h>
#include <string.h>

#include <filesystem>

std::string TestProgram(const std::string& folder, const std::string& name) {
  return JoinPath(folder, name + TEST_EXE_SUFFIX);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  return folder + TEST_PATH_SEPARATOR + name;
}

std::string ReadWholeFile(const std::string& path) {
  std::string bytes;
  FILE* file = fopen(path.c_str(), "rb");
  if (!file) return bytes;
  char buffer[65536];
  size_t got = 0;
  while ((got = fread(buffer, 1, sizeof(buffer), file)) > 0) bytes.append(buffer, got);
  fclose(file);
  return bytes;
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  FILE* file = fopen(path.c_str(), "wb");
  if (!file) return;
  fwrite(bytes.data(), 1, bytes.size(), file);
  fclose(file);
}

std::string FirmwareHeader(const std::string& pid, const std::string& version, unsigned char comp) {
  std::string header = pid.substr(0, 4);
  header.resize(4, ' ');
  std::string versionField = version.substr(0, 4);
  versionField.resize(4, '\0');
  header += versionField;
  header += "xxxx";
  header += static_cast<char>(comp);
  return header;
}

CScratchFolder::CScratchFolder(const std::string& name) {
  namespace fs = std::filesystem;
  m_previous = fs::current_path().string();
  fs::path path = fs::path(TEST_SCRATCH_DIR) / name;
  std::error_code ignored;
  fs::remove_all(path, ignored);
  fs::create_directories(path);
  fs::current_path(path);
  m_path = path.string();
}

CScratchFolder::~CScratchFolder() {
  std::error_code ignored;
  std::filesystem::current_path(m_previous, ignored);
}

ProcessOutcome CFakeRunner::Run(const std::string& commandLine, int capture,
                                std::string& captured) {
  ProcessOutcome outcome = {0, 0, 0};
  if (m_pipeFails) return outcome;
  outcome.pipeCreated = 1;
  if (m_missing.count(commandLine)) {
    outcome.errorNumber = 2;
    return outcome;
  }
  m_events.push_back((capture ? "capture " : "run ") + commandLine);
  outcome.started = 1;
  auto reply = m_replies.find(commandLine);
  if (capture && reply != m_replies.end()) captured += reply->second;
  return outcome;
}

void CFakeRunner::Pause(unsigned milliseconds) {
  m_events.push_back("pause " + std::to_string(milliseconds));
}

void CFakeFinder::Add(const std::string& name, const std::string& bytes, int openable) {
  m_files.push_back(File{name, bytes, openable});
}

void CFakeFinder::FindFiles(const char* const* patterns, size_t patternCount,
                            std::vector<std::string>& names) {
  // The patterns in use are all "*.ext"; the extension matches without regard to case.
  for (size_t p = 0; p < patternCount; ++p) {
    std::string extension = patterns[p] + 1;
    for (const File& file : m_files) {
      if (file.name.size() < extension.size()) continue;
      std::string tail = file.name.substr(file.name.size() - extension.size());
      bool same = true;
      for (size_t i = 0; i < tail.size(); ++i) {
        if (tolower(static_cast<unsigned char>(tail[i])) !=
            tolower(static_cast<unsigned char>(extension[i]))) {
          same = false;
        }
      }
      if (same) names.push_back(file.name);
    }
  }
}

int CFakeFinder::ReadHeader(const std::string& name, unsigned char* buffer, size_t size,
                            size_t& bytesRead) {
  bytesRead = 0;
  for (const File& file : m_files) {
    if (file.name != name) continue;
    if (!file.openable) return 0;
    bytesRead = file.bytes.size() < size ? file.bytes.size() : size;
    memcpy(buffer, file.bytes.data(), bytesRead);
    return 1;
  }
  return 0;
}

std::string RunCaptured(const std::string& commandLine) {
  std::string captured;
  SystemProcessRunner().Run(commandLine, 1, captured);
  return captured;
}
