// The catalogue scan over a folder of real firmware files through the platform's own folder
// search and header read, beside the least a program can do to read the same headers: list the
// folder once, then open, read 13 bytes and close each file (and, for comparison, the same with
// the names known beforehand).
#include <benchmark/benchmark.h>
#include <stdio.h>

#include <filesystem>
#include <map>

#include "reference_read.h"
#include "test_support.h"
#include "update_manager.h"

namespace {

const size_t kHeaderSize = 13;

// A folder of count firmware files, made once per count and kept for every run. One file in
// ten is a configuration file; the headers name three products (one of them written in both
// cases) with eight components each, and versions spread so that entries are both replaced and
// kept.
struct FirmwareFolder {
  std::string path;
  std::vector<std::string> names;
};

const FirmwareFolder& FolderOf(size_t count) {
  static std::map<size_t, FirmwareFolder> folders;
  FirmwareFolder& folder = folders[count];
  if (!folder.path.empty()) return folder;
  CScratchFolder scratch("bench_scan_" + std::to_string(count));
  const char* const pids[] = {"C7E3", "c7e3", "ABCD", "1234"};
  for (size_t i = 0; i < count; ++i) {
    char name[32];
    snprintf(name, sizeof(name), "fw_%05zu.%s", i, i % 10 == 9 ? "cfg" : "dat");
    char version[8];
    snprintf(version, sizeof(version), "%04zu", (i * 7919) % 10000);
    std::string bytes = FirmwareHeader(pids[i % 4], version, static_cast<unsigned char>(i % 8));
    bytes.append(243, '\xA5');  // a body, so that the file holds more than its header
    WriteWholeFile(name, bytes);
    folder.names.push_back(name);
  }
  folder.path = scratch.Path();
  return folder;
}

// Makes the folder the current one for the benchmark's run and goes back afterwards.
class CInFolder {
 public:
  explicit CInFolder(const std::string& path) : m_previous(std::filesystem::current_path()) {
    std::filesystem::current_path(path);
  }
  ~CInFolder() { std::filesystem::current_path(m_previous); }

 private:
  std::filesystem::path m_previous;
};

void BM_CatalogueScan(benchmark::State& state) {
  const FirmwareFolder& folder = FolderOf(static_cast<size_t>(state.range(0)));
  CInFolder inFolder(folder.path);
  CUpdateManager manager(SystemProcessRunner(), SystemFileFinder());
  manager.Reset();
  for (auto _ : state) {
    manager.ScanFirmwareFiles();
    benchmark::DoNotOptimize(manager.m_fileCount);
  }
  if (manager.m_fileCount == 0) state.SkipWithError("no file was catalogued");
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_CatalogueScan)->ArgName("files")->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The part of the scan that opens no file: the folder search for the two patterns.
void BM_FolderSearch(benchmark::State& state) {
  const FirmwareFolder& folder = FolderOf(static_cast<size_t>(state.range(0)));
  CInFolder inFolder(folder.path);
  size_t found = 0;
  const char* const patterns[] = {"*.dat", "*.cfg"};
  for (auto _ : state) {
    std::vector<std::string> names;
    SystemFileFinder().FindFiles(patterns, 2, names);
    found = names.size();
    benchmark::DoNotOptimize(names.data());
  }
  if (found != folder.names.size()) state.SkipWithError("the search missed a file");
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_FolderSearch)->ArgName("files")->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ReferenceRead(benchmark::State& state) {
  const FirmwareFolder& folder = FolderOf(static_cast<size_t>(state.range(0)));
  CInFolder inFolder(folder.path);
  size_t total = 0;
  for (auto _ : state) {
    total = ReadHeadersDirectly(folder.names, kHeaderSize);
    benchmark::DoNotOptimize(total);
  }
  if (total != folder.names.size() * kHeaderSize) state.SkipWithError("a header was not read");
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_ReferenceRead)->ArgName("files")->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ReferenceFolderRead(benchmark::State& state) {
  const FirmwareFolder& folder = FolderOf(static_cast<size_t>(state.range(0)));
  CInFolder inFolder(folder.path);
  size_t total = 0;
  for (auto _ : state) {
    total = ReadFolderHeadersDirectly(kHeaderSize);
    benchmark::DoNotOptimize(total);
  }
  if (total != folder.names.size() * kHeaderSize) state.SkipWithError("a header was not read");
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_ReferenceFolderRead)
    ->ArgName("files")
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
