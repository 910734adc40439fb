// The Windows side of the self-update's system calls: MoveFileExW, CopyFileW,
// same-file by volume and file index, and CreateProcessW of a new launcher.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "install/recorder.h"
#include "platform/detached_start.h"
#include "platform/executable_path.h"
#include "platform/file_moves.h"
#include "state/state_test_support.h"
#include "support/system_programs_win32.h"
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

TEST(InstallFolderLauncherWin32Test, AMoveThatLeavesTheRunningSourceBehindDeletesItOnceItEnds) {
  // Across drives MoveFileExW copies, can't delete the running source, and still
  // reports success. The source then goes as when the move fails: through the
  // system's PowerShell, quotes of the path doubled.
  if (!test::place_in_system_folder(test::recorder_program(), {"WindowsPowerShell\\v1.0\\powershell.exe"}))
    GTEST_SKIP() << "the stand-in goes into the system folder only under Wine";
  TempFolder folder;
  fs::path install = folder / "install";
  fs::create_directories(install);
  fs::path own = folder / path_from_utf8("Rick\xE2\x80\x99s Downloads") / launcher_release_asset;
  write_bytes(own, "this launcher");
  fs::path record = folder / "record.txt";
  test::ScopedEnv env;
  env.set("KORVIX_RECORD_FILE", to_utf8(record));
  auto copy_and_report_success = [](const fs::path& from, const fs::path& to, unsigned long&) {
    return copy_file_replacing(from, to);
  };
  ASSERT_TRUE(place_launcher_in_install_folder(own, install, copy_and_report_success));
  EXPECT_EQ(read_bytes(install / launcher_file_name), "this launcher");

  std::vector<test::RecordedRun> runs;
  for (int i = 0; i < 3000 && runs.empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    runs = test::read_recorded_runs(record);
  }
  ASSERT_EQ(runs.size(), 1u) << "no delayed delete of the copy left behind";
  std::string quoted = to_utf8(folder.path()) + "\\Rick\xE2\x80\x99\xE2\x80\x99s Downloads\\" + launcher_release_asset;
  EXPECT_EQ(runs[0].arguments,
            (std::vector<std::string>{"-NoProfile", "-WindowStyle", "Hidden", "-Command",
                                      "$p='" + quoted +
                                          "';for($i=0;$i -lt 1800 -and (Test-Path -LiteralPath $p);$i++){Remove-Item "
                                          "-LiteralPath $p -Force -ErrorAction SilentlyContinue;Start-Sleep 1}"}));
}

TEST(UpdateLeftoversWin32Test, ThePreviousLauncherGoesOnceItHasEnded) {
  // The new launcher starts while the previous one, by now "<name>.old", is
  // still ending, and a running program's file can't be deleted.
  TempFolder install;
  fs::path old = old_path_for(install / launcher_file_name);
  fs::copy_file(running_executable_path().parent_path() / KORVIX_CHILD_TOOL_NAME, old);
  std::wstring command = L"\"" + old.wstring() + L"\" sleep 1";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION previous{};
  ASSERT_TRUE(CreateProcessW(old.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                             &startup, &previous));
  CloseHandle(previous.hThread);

  clean_update_leftovers(install.path());
  EXPECT_TRUE(fs::exists(old)) << "still running";
  WaitForSingleObject(previous.hProcess, 10000);
  CloseHandle(previous.hProcess);
  for (int i = 0; i < 500 && fs::exists(old); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_FALSE(fs::exists(old));
}

TEST(InstallFolderLauncherWin32Test, NamesThatArentValidUtf16AreComparedAsTheyAre) {
  // A lone surrogate can't become UTF-8: converting such a name threw and ended
  // the launcher at start-up. Wine can't make such files, so the names alone.
  EXPECT_TRUE(is_side_copy_name(fs::path(L"korvix-launcher-\xD800.exe")));
  EXPECT_TRUE(is_side_copy_name(fs::path(L"korvix-launcher-")));
  EXPECT_FALSE(is_side_copy_name(fs::path(L"\xDC00korvix-launcher-x.exe")));
  EXPECT_FALSE(is_side_copy_name(fs::path(L"korvix-launcher\xD800-x.exe")));
  EXPECT_FALSE(is_side_copy_name(fs::path(L"Korvix-Launcher-x.exe"))) << "compared exactly, as the name's UTF-8 was";
  EXPECT_FALSE(is_side_copy_name(fs::path(L"korvix-launcher.exe")));
}

}  // namespace
}  // namespace korvix
