#include "common/safe_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/files.h"
#include "support/temp_dir.h"

namespace {

int Entries() {
  int count = 0;
  for (auto& entry : std::filesystem::directory_iterator(".")) count += entry.exists();
  return count;
}

TEST(SafeFile, ReplacesTheWholeFileAndLeavesNoTemporaryFile) {
  ScopedTempDir dir;
  std::ofstream("track.TRK") << "old contents that are longer than the new ones";
  ASSERT_EQ(Write_File_Atomic("track.TRK", "new", 3), 1);
  EXPECT_EQ(Read_File("track.TRK"), "new");
  ASSERT_EQ(Write_File_Atomic("empty", "", 0), 1);
  EXPECT_EQ(Read_File("empty"), "");
  EXPECT_EQ(Entries(), 2);
}

// A full disk, played by a file-size limit in a child process: the write fails, the old file
// stays whole and no temporary file is left behind.
TEST(SafeFile, AFullDiskLeavesTheOldFileUntouched) {
  ScopedTempDir dir;
  std::ofstream("VantoRello.cfg") << "the old settings";
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{1000, 1000};
    setrlimit(RLIMIT_FSIZE, &limit);
    std::string big(5000, 'x');
    _exit(Write_File_Atomic("VantoRello.cfg", big.data(), big.size()) == 0 ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the write reported success";
  EXPECT_EQ(Read_File("VantoRello.cfg"), "the old settings");
  EXPECT_EQ(Entries(), 1);
}

TEST(SafeFile, AnUnwritableDirectoryOrADirectoryTargetFails) {
  ScopedTempDir dir;
  std::filesystem::create_directory("TRK");
  EXPECT_EQ(Write_File_Atomic("TRK", "x", 1), 0);
  EXPECT_TRUE(std::filesystem::is_directory("TRK"));
  EXPECT_EQ(Write_File_Atomic("missing/file", "x", 1), 0);
  if (geteuid() != 0) {  // root writes anywhere
    chmod("TRK", 0500);
    EXPECT_EQ(Write_File_Atomic("TRK/a.TRK", "x", 1), 0);
    chmod("TRK", 0700);
  }
  EXPECT_EQ(Entries(), 1);
}

}  // namespace
