// Faults only a POSIX system makes: a FIFO and symbolic links with firmware file names, names in
// no encoding at all, too few free file descriptors for the tool's pipe, a tool that is no
// program, and the processor time orvane takes while a process the tool left behind holds the
// pipe open.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include "../fault_table.h"

namespace {

const char kOneDevice[] = "C7E3 1 261 123\n";
const char kByteName[] = "\xff\xfe\x80 fw.dat";

// A FIFO without a writer, a link to a folder and a link to nothing: none is a file to read,
// and none may hold up the scan.
void MakeSpecialFiles(CE2eFolder&) {
  ASSERT_EQ(mkfifo("y.dat", 0644), 0);
  ASSERT_EQ(mkdir("folder", 0755), 0);
  ASSERT_EQ(symlink("folder", "link.dat"), 0);
  ASSERT_EQ(symlink("nothing", "dangling.dat"), 0);
}

// Every descriptor but the standard three is closed, and four may be open: the program loads
// (the loader opens one file at a time), but the pipe's two ends do not fit. (With five they
// fit, and the child needs none more: its input is opened in place of the one it inherits.)
// In a sanitized build, the check of a virtual call's object type tests whether it may read the
// object by writing it into a pipe of its own; without a descriptor for that pipe it takes the
// object for a bad one, so that check is switched off for these runs.
void LimitTo4(CE2eFolder& folder) {
  folder.SetWrapper({TestProgram(TEST_BIN_DIR, "open_file_limit"), "4"});
  std::string options = GetEnvironment("UBSAN_OPTIONS");
  if (!options.empty()) options += ":";
  folder.SetToolVariable("UBSAN_OPTIONS",
                         options + "suppressions=" +
                             JoinPath(TEST_SOURCE_DIR, "tests/e2e/posix/no_free_descriptor.supp"));
}

void PlaceTool(CE2eFolder& folder, const std::string& text, mode_t mode) {
  ASSERT_EQ(mkdir("tool", 0755), 0);
  WriteWholeFile("tool/zunder", text);
  ASSERT_EQ(chmod("tool/zunder", mode), 0);
  folder.UseToolFolder(JoinPath(folder.Path(), "tool"));
  folder.RunsOutsideValgrind();
}
void ToolIsText(CE2eFolder& folder) { PlaceTool(folder, "not a program\n", 0755); }
void ToolNotExecutable(CE2eFolder& folder) { PlaceTool(folder, "#!/bin/sh\necho zunder\n", 0644); }

const std::string kToolMissingText = "Can not find zunder.exe";

std::vector<FaultCase> PosixFaultCases() {
  const E2eSetup oneDevice{"", kOneDevice, {FirmwareFile("fw.dat", "C7E3", "0272", 1)}};
  return {
      {"special_files",
       {"", kOneDevice, {FirmwareFile(kByteName, "C7E3", "0272", 1)}},
       {},
       MakeSpecialFiles,
       {"-deb"},
       std::string(kDeviceListHeader) + VerboseDevice("C7E3", 1, 261) + kFileScanHeader +
           VerboseFile(kByteName, "C7E3", 1, 272) + kCatalogueListHeader +
           VerboseFile(kByteName, "C7E3", 1, 272) + "\n" + kUpdatePassHeader +
           VerboseUpdate("zunder -F \"" + std::string(kByteName) + "\"", kByteName, 1, 272),
       {"zunder -L", "zunder -F \"" + std::string(kByteName) + "\""},
       "C7E3 1 272 123\n"},

      // No pipe: nothing starts and nothing is said, but for the front end's own text.
      {"no_pipe_automatic", oneDevice, {}, LimitTo4, {"-deb"}, "", {}, kOneDevice},
      {"no_pipe_list", oneDevice, {}, LimitTo4, {"-L"}, kToolMissingText, {}, kOneDevice},
      {"no_pipe_configure",
       oneDevice,
       {},
       LimitTo4,
       {"-C", "fw.dat", "-s", "123"},
       "\nNo devices found",
       {},
       kOneDevice},

      // A "zunder" that is no program (ENOEXEC), or may not be run (EACCES).
      {"tool_is_text",
       oneDevice,
       {},
       ToolIsText,
       {},
       "\nError: Create process failure(8) !\n",
       {},
       kOneDevice},
      {"tool_not_executable_list",
       oneDevice,
       {},
       ToolNotExecutable,
       {"-L"},
       "\nError code(13): " + kToolMissingText + "!\n" + kToolMissingText,
       {},
       kOneDevice},
  };
}

INSTANTIATE_TEST_SUITE_P(Posix, FaultRun, ::testing::ValuesIn(PosixFaultCases()), FaultCaseName);

double ChildrenCpuSeconds() {
  struct rusage usage;
  getrusage(RUSAGE_CHILDREN, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// While the process the tool left behind holds the pipe for three seconds, orvane waits in a
// blocking read. Spinning would cost it about those three seconds of processor time; blocked,
// orvane and the tool together take a small part of one, under valgrind too. The process left
// behind is nobody's waited-for child here, so its time does not count.
TEST(GrandchildHoldingTheOutput, OrvaneWaitsWithoutSpinning) {
  E2eSetup setup;
  setup.devices = "C7E3 1 261 SN1\nC7E3 2 300 SN2\n";
  CE2eFolder folder("fault_posix_hold_cpu", setup);
  folder.SetToolVariable("ZUNDER_HOLD", "3");

  double before = ChildrenCpuSeconds();
  std::string shown = folder.RunVerbatim({"-L"});
  double used = ChildrenCpuSeconds() - before;

  EXPECT_EQ("PID:C7E3 COMP:1 EC:0261 SN:SN1\nPID:C7E3 COMP:2 EC:0300 SN:SN2\n", shown);
  EXPECT_LT(used, 1.0) << "processor seconds of orvane and the tool";
}

}  // namespace
