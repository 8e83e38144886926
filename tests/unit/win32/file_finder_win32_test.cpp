// The Windows folder search's header read asks for the file alone: a firmware file that another
// program holds open (a copy still being written, say) is skipped until it is free again.
#include <gtest/gtest.h>
#include <windows.h>

#include "test_support.h"
#include "update_manager.h"

namespace {

TEST(Win32FileFinder, FileHeldOpenByAnotherHandleIsNotRead) {
  CScratchFolder folder("Win32FileFinder_Held");
  const std::string header = FirmwareHeader("C7E3", "0120", 1);
  WriteWholeFile("held.dat", header);

  const struct {
    const char* name;
    DWORD share;  // how the other handle shares the file
  } cases[] = {
      {"no_sharing", 0},
      {"shared_for_reading_only", FILE_SHARE_READ},
  };
  for (const auto& c : cases) {
    HANDLE other = CreateFileA("held.dat", GENERIC_READ | GENERIC_WRITE, c.share, NULL,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(other, INVALID_HANDLE_VALUE) << c.name;
    unsigned char buffer[13];
    size_t bytesRead = 99;
    EXPECT_EQ(SystemFileFinder().ReadHeader("held.dat", buffer, sizeof(buffer), bytesRead), 0)
        << c.name;

    CFakeRunner runner;
    CUpdateManager manager(runner, SystemFileFinder());
    manager.Reset();
    manager.ScanFirmwareFiles();
    EXPECT_EQ(manager.m_fileCount, 0) << c.name;
    CloseHandle(other);
  }

  // Once the other program has let go, the file is read.
  unsigned char buffer[13];
  size_t bytesRead = 0;
  EXPECT_EQ(SystemFileFinder().ReadHeader("held.dat", buffer, sizeof(buffer), bytesRead), 1);
  EXPECT_EQ(bytesRead, sizeof(buffer));
}

}  // namespace
