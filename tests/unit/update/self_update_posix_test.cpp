// Self-update for real on POSIX: curl downloads from the fake GitHub (through its
// redirect, as GitHub serves assets), a started script records its start, and
// moves cross from one file system to another.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "app/launcher_app.h"
#include "fake_github_server.h"
#include "menu/row_views.h"
#include "platform/detached_start.h"
#include "platform/executable_path.h"
#include "platform/file_moves.h"
#include "state/state_test_support.h"
#include "update/self_update.h"
#include "platform/sha256.h"

namespace korvix {
namespace {

using test::read_bytes;
using test::TempFolder;
using test::write_bytes;
using testing::FakeGitHubServer;

using test::mib;

struct Outcome {
  int32_t state = 0;
  std::string error;
  fs::path file;
  std::string row_text;  // what "Update the launcher" shows afterwards
};

Outcome download(const std::string& url, uint64_t expected_size, const std::string& digest, const fs::path& target) {
  LauncherApp app;
  LauncherStatus& status = *app.status;
  status.launcher_update = update_downloading;
  status.launcher_version = "v9.0.0";
  run_launcher_download(status, url, expected_size, digest, target);
  MenuSnapshot snapshot = take_snapshot(status, LauncherStatus::Clock::now());
  std::vector<MenuRowView> views = build_row_views(app, {row_update_launcher}, snapshot, MenuFacts{});
  return {status.launcher_update, status.launcher_error, status.launcher_file, views.at(0).value};
}

// Waits for a file that a detached program writes.
std::string wait_for_file(const fs::path& file) {
  for (int i = 0; i < 3000 && !fs::exists(file); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));  // let the writer finish its line
  return read_bytes(file);
}

// A shell script that records its name and folder in "started.txt" of its folder.
std::string recording_script(size_t padded_size) {
  std::string script = "#!/bin/sh\necho \"$0 in $(pwd)\" >> started.txt\nexit 0\n";
  while (script.size() < padded_size) script += "# padding to the size of a real program\n";
  return script;
}

TEST(SelfUpdateDownloadPosixTest, DownloadsAreJudgedAndBadOnesRemoved) {
  FakeGitHubServer server;
  ASSERT_TRUE(server.running());
  std::string asset = launcher_release_asset;
  server.set_config(R"({"releases": {"o/n": [{"tag_name": "launcher-v9.0.0", "assets": [
      {"name": ")" + asset + R"(", "size": 2097152}, {"name": "small", "size": 512000}]}]}})");
  std::string base = server.url() + "/download/o/n/launcher-v9.0.0/";
  std::string good_digest = "sha256:" + sha256_hex(std::string(2 * mib, 'K'));
  TempFolder folder;
  fs::path target = folder / launcher_file_name;
  write_bytes(target, "the launcher");
  fs::path partial = download_path_for(target);

  write_bytes(partial, "left over from an earlier try");
  Outcome good = download(base + asset, 2 * mib, good_digest, target);
  EXPECT_EQ(good.state, update_ready) << good.error;
  EXPECT_EQ(good.error, "");
  EXPECT_EQ(good.file, partial);
  EXPECT_EQ(good.row_text, "starting it...");
  EXPECT_EQ(read_bytes(partial), std::string(2 * mib, 'K'));
  struct stat info {};
  ASSERT_EQ(stat(partial.c_str(), &info), 0);
  EXPECT_NE(info.st_mode & S_IXUSR, 0u) << "the new launcher can be run";

  const std::pair<Outcome, std::string> failures[] = {
      {download(base + "small", 0, "", target), "the download came out wrong (512000 bytes)"},
      {download(base + asset, 2 * mib + 1, "", target), "the download came out wrong (2097152 bytes)"},
      {download(base + asset, 2 * mib, "sha256:" + std::string(64, '0'), target),
       "the download came out wrong (checksum mismatch)"},
      {download(base + "missing", 0, "", target),
       "download failed (curl: (22) The requested URL returned error: 404)"},
  };
  for (const auto& [outcome, error] : failures) {
    EXPECT_EQ(outcome.state, update_failed);
    EXPECT_EQ(outcome.error, error);
    EXPECT_EQ(outcome.file, partial);
    EXPECT_EQ(outcome.row_text, error + ": select to try again");
  }
  EXPECT_FALSE(fs::exists(partial)) << "a bad download is deleted";
  EXPECT_EQ(read_bytes(target), "the launcher");
}

TEST(SelfUpdateStartPosixTest, TheNewLauncherRunsInItsOwnFolder) {
  TempFolder folder;
  fs::path program = folder / "new launcher";
  write_bytes(program, recording_script(100));
  ASSERT_TRUE(mark_executable(program));
  StartResult started = start_new_launcher(program);
  ASSERT_TRUE(started.ok) << started.error;
  EXPECT_EQ(wait_for_file(folder / "started.txt"), program.string() + " in " + folder.path().string() + "\n");

  StartResult missing = start_new_launcher(folder / "missing");
  EXPECT_FALSE(missing.ok);
  EXPECT_EQ(missing.error, "couldn't start the new launcher (error 2)");
}

TEST(SelfUpdateStartPosixTest, ApplyingSwapsSavesAndStarts) {
  TempFolder folder;
  fs::path install = folder / "install";
  write_bytes(install / "korvix.exe", "game");
  write_bytes(install / "game" / "default.xex", "xex");
  fs::path target = install / launcher_file_name;
  write_bytes(target, "previous launcher");
  fs::path partial = download_path_for(target);
  write_bytes(partial, recording_script(mib));
  ASSERT_TRUE(mark_executable(partial));
  auto status = std::make_shared<LauncherStatus>();
  status->launcher_update = update_ready;
  status->launcher_file = partial;
  bool saved = false;
  ASSERT_TRUE(apply_launcher_update(status, install, [&] { saved = true; })) << status->launcher_error;
  EXPECT_TRUE(saved);
  EXPECT_EQ(wait_for_file(install / "started.txt"), target.string() + " in " + install.string() + "\n");
  EXPECT_EQ(read_bytes(old_path_for(target)), "previous launcher");
  EXPECT_FALSE(fs::exists(partial));
}

TEST(FileMovesPosixTest, MovesAndCopiesAcrossFileSystemsKeepTheModeAndLeaveNoTemporaryFile) {
  TempFolder folder;
  fs::path other_volume = fs::path("/dev/shm") / ("korvix-move-" + std::to_string(getpid()));
  struct stat here {};
  struct stat there {};
  if (stat("/dev/shm", &there) != 0 || stat(folder.path().c_str(), &here) != 0 || here.st_dev == there.st_dev) {
    GTEST_SKIP() << "no second file system at /dev/shm";
  }
  fs::path source = folder / "program";
  write_bytes(source, "program bytes");
  ASSERT_EQ(chmod(source.c_str(), 0750), 0);
  write_bytes(other_volume, "replaced");
  unsigned long code = 0;
  ASSERT_TRUE(move_file_replacing(source, other_volume, code)) << code;
  EXPECT_FALSE(fs::exists(source));
  EXPECT_EQ(read_bytes(other_volume), "program bytes");
  struct stat moved {};
  ASSERT_EQ(stat(other_volume.c_str(), &moved), 0);
  EXPECT_EQ(moved.st_mode & 07777, 0750u);
  ASSERT_TRUE(copy_file_replacing(other_volume, source));
  EXPECT_EQ(read_bytes(source), "program bytes");
  fs::remove(other_volume);
  size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder.path())) ++entries;
  EXPECT_EQ(entries, 1u) << "only the copy, no temporary file";
}

TEST(InstallFolderLauncherPosixTest, AMoveThatLeavesTheSourceBehindStillRemovesIt) {
  // Across drives Windows copies a running program, can't delete it, and reports
  // success; the copy left behind would later overwrite the installed launcher.
  TempFolder folder;
  fs::path install = folder / "install";
  fs::path own = folder / "Downloads" / launcher_release_asset;
  fs::create_directories(install);
  write_bytes(own, "this launcher");
  auto copy_and_report_success = [](const fs::path& from, const fs::path& to, unsigned long&) {
    return copy_file_replacing(from, to);
  };
  ASSERT_TRUE(place_launcher_in_install_folder(own, install, copy_and_report_success));
  EXPECT_EQ(read_bytes(install / launcher_file_name), "this launcher");
  EXPECT_FALSE(fs::exists(own)) << "the old copy was left behind";
}

TEST(DelayedDeletePosixTest, ARunningProgramsFileIsRemovedAtOnce) {
  TempFolder folder;
  fs::path program = folder / "running";
  write_bytes(program, "#!/bin/sh\nsleep 2\n");
  ASSERT_TRUE(mark_executable(program));
  unsigned long code = 0;
  ASSERT_TRUE(start_detached_program(program, code));
  EXPECT_TRUE(delete_when_unused(program));
  EXPECT_FALSE(fs::exists(program));
  EXPECT_FALSE(delete_when_unused(program)) << "nothing left to delete";
}

}  // namespace
}  // namespace korvix
