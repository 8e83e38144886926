// Shared by the test programs: stand-ins for the platform layer, scratch folders, files and the
// environment.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "file_finder.h"
#include "process_runner.h"
#include "test_paths.h"

// The path of a program of the build: TestProgram(TEST_BIN_DIR, "orvane").
std::string TestProgram(const std::string& folder, const std::string& name);

// A path below folder, with the platform's separator.
std::string JoinPath(const std::string& folder, const std::string& name);

void SetEnvironment(const std::string& name, const std::string& value);
std::string GetEnvironment(const std::string& name);

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);

// A 13-byte firmware header: product id (4), version text (4), four bytes not read, component.
std::string FirmwareHeader(const std::string& pid, const std::string& version, unsigned char comp);

// A fresh, empty folder below the build's scratch folder that is the current folder while the
// object lives.
class CScratchFolder {
 public:
  explicit CScratchFolder(const std::string& name);
  ~CScratchFolder();
  const std::string& Path() const { return m_path; }

 private:
  std::string m_path;
  std::string m_previous;
};

// A process runner that starts nothing. It records every run and pause, in order, as
// "run <command line>" (capturing runs as "capture <command line>") and "pause <ms>".
class CFakeRunner : public CProcessRunner {
 public:
  ProcessOutcome Run(const std::string& commandLine, int capture, std::string& captured) override;
  void Pause(unsigned milliseconds) override;

  std::vector<std::string> m_events;
  std::map<std::string, std::string> m_replies;  // captured text by command line
  std::set<std::string> m_missing;               // command lines whose program cannot start
  int m_pipeFails = 0;                           // every pipe creation fails
};

// A folder listing held in memory: files in the order given, each with its bytes.
class CFakeFinder : public CFileFinder {
 public:
  struct File {
    std::string name;
    std::string bytes;
    int openable;
  };
  void Add(const std::string& name, const std::string& bytes, int openable = 1);
  using CFileFinder::FindFiles;
  void FindFiles(const char* const* patterns, size_t patternCount,
                 std::vector<std::string>& names) override;
  int ReadHeader(const std::string& name, unsigned char* buffer, size_t size,
                 size_t& bytesRead) override;

  std::vector<File> m_files;
};

// Runs a command line with its output captured; returns what it printed.
std::string RunCaptured(const std::string& commandLine);
