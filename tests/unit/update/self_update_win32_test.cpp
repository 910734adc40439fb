// The Windows side of the self-update's system calls: MoveFileExW, CopyFileW,
// same-file by volume and file index, and CreateProcessW of a new launcher.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/detached_start.h"
#include "platform/executable_path.h"
#include "platform/file_moves.h"
#include "state/state_test_support.h"
#include "update/self_update.h"

namespace korvix {
namespace {

using test::read_bytes;
using test::TempFolder;
using test::write_bytes;

TEST(FileMovesWin32Test, SameFileIsTheFileNotTheName) {
  TempFolder folder;
  write_bytes(folder / "Launcher.exe", "program");
  write_bytes(folder / "copy.exe", "program");
  EXPECT_TRUE(is_same_file(folder / "Launcher.exe", folder / "LAUNCHER.EXE")) << "names are case-blind";
  EXPECT_FALSE(is_same_file(folder / "Launcher.exe", folder / "copy.exe"));
  ASSERT_TRUE(CreateHardLinkW((folder / "link.exe").c_str(), (folder / "Launcher.exe").c_str(), nullptr));
  EXPECT_TRUE(is_same_file(folder / "link.exe", folder / "Launcher.exe"));
}

TEST(FileMovesWin32Test, AFailedMoveGivesTheSystemsErrorNumber) {
  TempFolder folder;
  unsigned long code = 0;
  EXPECT_FALSE(move_file_replacing(folder / "missing.exe", folder / "target.exe", code));
  EXPECT_EQ(code, static_cast<unsigned long>(ERROR_FILE_NOT_FOUND));
}

TEST(DetachedStartWin32Test, TheNewLauncherStartsInItsFolder) {
  TempFolder folder;
  fs::path tool = running_executable_path().parent_path() / KORVIX_CHILD_TOOL_NAME;
  fs::path program = folder / "new launcher.exe";
  fs::copy_file(tool, program);
  StartResult started = start_new_launcher(program);
  ASSERT_TRUE(started.ok) << started.error;
  fs::path record = folder / "started.txt";
  for (int i = 0; i < 3000 && read_bytes(record).find('\n') == std::string::npos; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_TRUE(is_same_file(fs::path(read_bytes(record).substr(11, read_bytes(record).size() - 12)), folder.path()))
      << read_bytes(record);

  StartResult missing = start_new_launcher(folder / "missing.exe");
  EXPECT_FALSE(missing.ok);
  EXPECT_EQ(missing.error, "couldn't start the new launcher (error 2)");
}

}  // namespace
}  // namespace korvix
