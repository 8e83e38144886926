// What only a POSIX folder can hold: FIFOs, device nodes and links with firmware names, and names
// that differ only in case. The scan must never block on such an entry, and its order is the
// byte order of the names, so that every run is the same.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <string>
#include <vector>

#include "../unit_test_helpers.h"
#include "test_support.h"
#include "update_manager.h"

namespace {

using std::string;

TEST(PosixFileFinder, NamesComeInByteOrder) {
  CScratchFolder folder("posix_order");
  // Written in another order than the expected one; 0xC3 sorts after every ASCII byte.
  const char* names[] = {"b.dat",  "\xc3\xa9.dat", "a.dat",  "B.dat",
                         "_x.dat", "Z.DAT",        "10.dat", "9.dat"};
  for (const char* name : names) WriteWholeFile(name, "x");
  std::vector<string> found;
  SystemFileFinder().FindFiles("*.dat", found);
  EXPECT_EQ(Joined(found), Joined({"10.dat", "9.dat", "B.dat", "Z.DAT", "_x.dat", "a.dat", "b.dat",
                                   "\xc3\xa9.dat"}));
}

// Runs work away from the test's own thread, so that an open or read that blocks on the entry
// shows as a failure; the entry, a FIFO, is then given a writer, which lets the work return.
template <typename Work>
auto RunGuarded(const string& entry, Work work) {
  auto result = std::async(std::launch::async, work);
  if (result.wait_for(std::chrono::seconds(60)) != std::future_status::ready) {
    ADD_FAILURE() << "blocked on " << entry;
    int writer = open(entry.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) close(writer);
  }
  return result.get();
}

int ReadHeaderGuarded(const string& name, size_t& bytesRead) {
  unsigned char buffer[13];
  return RunGuarded(
      name, [&] { return SystemFileFinder().ReadHeader(name, buffer, sizeof(buffer), bytesRead); });
}

TEST(PosixFileFinder, FifoWithoutWriterIsSkippedAtOnce) {
  CScratchFolder folder("posix_fifo");
  ASSERT_EQ(mkfifo("y.dat", 0644), 0);
  size_t bytesRead = 99;
  EXPECT_EQ(ReadHeaderGuarded("y.dat", bytesRead), 0);
  EXPECT_EQ(bytesRead, 0u);
}

TEST(PosixFileFinder, FifoWithDataIsNotRead) {
  CScratchFolder folder("posix_fifo_data");
  ASSERT_EQ(mkfifo("y.dat", 0644), 0);
  // Both ends held here, with a whole header waiting in the pipe.
  int fifo = open("y.dat", O_RDWR | O_NONBLOCK);
  ASSERT_GE(fifo, 0);
  const string header = FirmwareHeader("C7E3", "0105", 1);
  ASSERT_EQ(write(fifo, header.data(), header.size()), static_cast<ssize_t>(header.size()));
  size_t bytesRead = 99;
  EXPECT_EQ(ReadHeaderGuarded("y.dat", bytesRead), 0);
  close(fifo);
}

struct EntryCase {
  const char* name;
  const char* target;  // a symbolic link named x.dat points here
};
void PrintTo(const EntryCase& row, std::ostream* os) { *os << row.name; }

const EntryCase kLinkCases[] = {
    {"link_to_a_device", "/dev/null"},
    {"link_to_a_folder", "."},
    {"dangling_link", "nowhere/at/all"},
};

class PosixLink : public ::testing::TestWithParam<EntryCase> {};

TEST_P(PosixLink, IsSkipped) {
  CScratchFolder folder("posix_link");
  ASSERT_EQ(symlink(GetParam().target, "x.dat"), 0);
  size_t bytesRead = 99;
  EXPECT_EQ(ReadHeaderGuarded("x.dat", bytesRead), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, PosixLink, ::testing::ValuesIn(kLinkCases),
                         [](const ::testing::TestParamInfo<EntryCase>& info) {
                           return string(info.param.name);
                         });

TEST(PosixFileFinder, LinkToARegularFileIsRead) {
  CScratchFolder folder("posix_link_file");
  WriteWholeFile("real.bin", FirmwareHeader("C7E3", "0105", 1));
  ASSERT_EQ(symlink("real.bin", "x.dat"), 0);
  size_t bytesRead = 0;
  EXPECT_EQ(ReadHeaderGuarded("x.dat", bytesRead), 1);
  EXPECT_EQ(bytesRead, 13u);
}

TEST(PosixFileFinder, ScanPassesOverAFifo) {
  CScratchFolder folder("posix_fifo_scan");
  ASSERT_EQ(mkfifo("a.dat", 0644), 0);
  WriteWholeFile("b.dat", FirmwareHeader("C7E3", "0105", 1));
  CFakeRunner runner;
  CUpdateManager manager(runner, SystemFileFinder());
  manager.Reset();
  RunGuarded("a.dat", [&] { manager.ScanFirmwareFiles(); });
  ASSERT_EQ(manager.m_fileCount, 1);
  EXPECT_EQ(manager.m_files[0].path, "b.dat");
}

}  // namespace
