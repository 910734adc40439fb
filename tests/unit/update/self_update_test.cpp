// Self-update on real files in temporary folders: judging a download, the swap
// and its way back, the install folder's launcher file and its side copies, the
// start-up clean-up, and the release's digest.
#include "update/self_update.h"

#include <gtest/gtest.h>

#include "platform/detached_start.h"
#include "platform/executable_path.h"
#include "platform/file_moves.h"
#include "state/state_test_support.h"
#include "update/update_checks.h"

namespace korvix {
namespace {

using test::read_bytes;
using test::TempFolder;
using test::write_bytes;

using test::mib;

void make_install(const fs::path& folder) {
  write_bytes(folder / "korvix.exe", "game");
  write_bytes(folder / "game" / "default.xex", "xex");
}

DownloadCheck judge(const RunResult& curl, uint64_t size, uint64_t expected_size, const std::string& digest = "",
                    const std::string& actual = "", bool* hashed = nullptr) {
  return judge_download(curl, "curl: (22) The requested URL returned error: 404\r\nmore\n", size, expected_size, digest,
                        [&] {
                          if (hashed) *hashed = true;
                          return actual;
                        });
}

TEST(SelfUpdateDownloadTest, JudgingTheDownload) {
  EXPECT_EQ(judge({-1, "couldn't start curl"}, 0, 0).error, "couldn't start curl");
  EXPECT_EQ(judge({22, ""}, 2 * mib, 0).error, "download failed (curl: (22) The requested URL returned error: 404)");
  EXPECT_EQ(judge({-1, ""}, 2 * mib, 0).error, "download failed (curl: (22) The requested URL returned error: 404)")
      << "a negative exit code is curl's own";
  EXPECT_EQ(judge({0, ""}, 512000, 0).error, "the download came out wrong (512000 bytes)") << "an error page";
  EXPECT_EQ(judge({0, ""}, mib - 1, 0).error, "the download came out wrong (1048575 bytes)");
  EXPECT_EQ(judge({0, ""}, mib, 0).error, "") << "no size known: any file of 1 MiB or more";
  EXPECT_EQ(judge({0, ""}, 2 * mib, 2 * mib + 1).error, "the download came out wrong (2097152 bytes)");
  EXPECT_EQ(judge({0, ""}, 2 * mib, 2 * mib).error, "");

  std::string hash(64, 'a');
  bool hashed = false;
  EXPECT_EQ(judge({0, ""}, 2 * mib, 0, "sha256:" + hash, std::string(63, 'a') + "b", &hashed).error,
            "the download came out wrong (checksum mismatch)");
  EXPECT_TRUE(hashed);
  EXPECT_EQ(judge({0, ""}, 2 * mib, 0, "sha256:" + std::string(64, 'A'), hash).error, "") << "hex in either case";
  EXPECT_EQ(judge({0, ""}, 2 * mib, 0, "sha256:", hash).error, "the download came out wrong (checksum mismatch)");
  hashed = false;
  EXPECT_EQ(judge({0, ""}, 2 * mib, 0, "", hash, &hashed).error, "");
  EXPECT_FALSE(hashed) << "no digest, no hashing";
  EXPECT_EQ(judge({0, ""}, 2 * mib, 0, "md5:0123", hash, &hashed).error, "")
      << "a digest of another kind can't be checked";
  hashed = false;
  EXPECT_EQ(judge({0, ""}, 512000, 0, "sha256:" + hash, hash, &hashed).error,
            "the download came out wrong (512000 bytes)");
  EXPECT_FALSE(hashed) << "a wrong size is reported before the checksum";
}

TEST(SelfUpdateDownloadTest, TheReleaseCheckKeepsTheAssetsDigest) {
  std::string asset = launcher_release_asset;
  std::string digest = "sha256:" + std::string(64, 'c');
  ApiGet get = [&](const std::string&, const std::string&) {
    JsonParse parsed =
        parse_json(R"({"tag_name": "launcher-v9.0.0", "assets": [{"name": ")" + asset +
                   R"(", "browser_download_url": "https://u", "size": 3, "digest": ")" + digest + R"("}]})");
    return ApiReply{parsed.ok, std::move(parsed.value), ""};
  };
  EXPECT_EQ(fetch_release(get, "o/n", "main").digest, digest);

  auto status = std::make_shared<LauncherStatus>();
  start_launcher_check(status, "o/n", get);
  for (int i = 0; i < 6000 && status.use_count() > 1; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  std::lock_guard lock(status->mutex);
  EXPECT_EQ(status->launcher_update, update_available);
  EXPECT_EQ(status->launcher_digest, digest);
}

TEST(SelfUpdateSwapTest, SwapKeepsThePreviousProgramAsOld) {
  TempFolder folder;
  fs::path target = folder / launcher_file_name;
  write_bytes(target, "previous");
  write_bytes(download_path_for(target), "new");
  write_bytes(old_path_for(target), "stale old");
  SwapResult swap = swap_in_download(download_path_for(target), target);
  ASSERT_TRUE(swap.ok) << swap.error;
  EXPECT_EQ(read_bytes(target), "new");
  EXPECT_EQ(read_bytes(old_path_for(target)), "previous");
  EXPECT_FALSE(fs::exists(download_path_for(target)));
}

TEST(SelfUpdateSwapTest, AFailedRenameLeavesThePreviousProgramInPlace) {
  TempFolder folder;
  fs::path target = folder / launcher_file_name;
  write_bytes(target, "previous");
  // Second rename fails: there is no download.
  SwapResult swap = swap_in_download(download_path_for(target), target);
  EXPECT_FALSE(swap.ok);
  EXPECT_EQ(swap.error.rfind("couldn't replace " + to_utf8(target) + " (", 0), 0u) << swap.error;
  EXPECT_EQ(swap.error.back(), ')');
  EXPECT_EQ(read_bytes(target), "previous");
  EXPECT_FALSE(fs::exists(old_path_for(target)));

  // First rename fails: "<name>.old" is a folder that can't be removed.
  write_bytes(download_path_for(target), "new");
  write_bytes(old_path_for(target) / "in the way", "x");
  swap = swap_in_download(download_path_for(target), target);
  EXPECT_FALSE(swap.ok);
  EXPECT_EQ(swap.error.rfind("couldn't replace " + to_utf8(target) + " (", 0), 0u) << swap.error;
  EXPECT_EQ(read_bytes(target), "previous");
  EXPECT_EQ(read_bytes(download_path_for(target)), "new") << "left for the next start to remove";
}

TEST(SelfUpdateSwapTest, ApplyingANewProgramThatWontStartPutsThePreviousOneBack) {
  TempFolder folder;
  fs::path install = folder / "install";
  make_install(install);
  fs::path target = install / launcher_file_name;
  write_bytes(target, "previous launcher");
  fs::path download = download_path_for(target);
  write_bytes(download, std::string(mib, 'K'));  // no program of any kind
  auto status = std::make_shared<LauncherStatus>();
  status->launcher_update = update_ready;
  status->launcher_file = download;
  int saves = 0;
  EXPECT_FALSE(apply_launcher_update(status, install, [&] { ++saves; }));
  EXPECT_EQ(saves, 1) << "the configuration is saved before the new program starts";
  EXPECT_EQ(status->launcher_update, update_failed);
  EXPECT_EQ(status->launcher_error.rfind("couldn't start the new launcher (error ", 0), 0u) << status->launcher_error;
  EXPECT_EQ(read_bytes(target), "previous launcher");

  // Applying again without a download: the rename fails, nothing is saved.
  status->launcher_update = update_ready;
  EXPECT_FALSE(apply_launcher_update(status, install, [&] { ++saves; }));
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(status->launcher_update, update_failed);
  EXPECT_EQ(status->launcher_error.rfind("couldn't replace " + to_utf8(target), 0), 0u) << status->launcher_error;
  EXPECT_EQ(read_bytes(target), "previous launcher");
}

TEST(SelfUpdateStartTest, TheDownloadStartsOnlyFromAnOfferOrAFailure) {
  TempFolder folder;
  for (int32_t state : {update_not_checked, update_checking, update_none_newer, update_downloading, update_ready}) {
    auto status = std::make_shared<LauncherStatus>();
    status->launcher_update = state;
    status->launcher_download_url = "http://127.0.0.1:9/x";
    start_launcher_download(status, folder.path());
    EXPECT_EQ(status->launcher_update, state);
    EXPECT_EQ(status.use_count(), 1) << "no worker for state " << state;
  }
  auto status = std::make_shared<LauncherStatus>();
  status->launcher_update = update_available;
  start_launcher_download(status, folder.path());
  EXPECT_EQ(status->launcher_update, update_available) << "no address, no download";
}

TEST(SelfUpdateTargetTest, TheInstallFoldersLauncherOnlyWhenInstalledAndPresent) {
  TempFolder folder;
  fs::path install = folder / "install";
  fs::create_directories(install);
  write_bytes(install / launcher_file_name, "launcher");
  EXPECT_EQ(launcher_update_target(install), running_executable_path()) << "not installed";
  make_install(install);
  EXPECT_EQ(launcher_update_target(install), install / launcher_file_name);
  fs::remove(install / launcher_file_name);
  EXPECT_EQ(launcher_update_target(install), running_executable_path());
}

class InstallFolderLauncherTest : public ::testing::Test {
 protected:
  TempFolder folder;
  fs::path install = folder / "install";
  fs::path own = folder / "Downloads" / launcher_release_asset;
  fs::path target = install / launcher_file_name;
};

TEST_F(InstallFolderLauncherTest, MovesItselfInAndRefreshesTheSideCopies) {
  make_install(install);
  write_bytes(own, "this launcher");
  write_bytes(target, "older launcher");
  write_bytes(install / "korvix-launcher-windows-x64.exe", "older side copy");
  write_bytes(install / "korvix-launcher-", "sixteen characters");
  write_bytes(install / "korvix-launcher.exe.old", "not a side copy");
  write_bytes(install / "korvix-launcher-folder" / "inside", "a folder is left alone");
  ASSERT_TRUE(place_launcher_in_install_folder(own, install));
  EXPECT_FALSE(fs::exists(own)) << "moved, not copied";
  EXPECT_EQ(read_bytes(target), "this launcher");
  EXPECT_EQ(read_bytes(install / "korvix-launcher-windows-x64.exe"), "this launcher");
  EXPECT_EQ(read_bytes(install / "korvix-launcher-"), "this launcher");
  EXPECT_EQ(read_bytes(install / "korvix-launcher.exe.old"), "not a side copy");
  EXPECT_EQ(read_bytes(install / "korvix-launcher-folder" / "inside"), "a folder is left alone");

  // Already in place: stays, and the side copies follow it.
  write_bytes(install / "korvix-launcher-windows-x64.exe", "stale");
  ASSERT_TRUE(place_launcher_in_install_folder(target, install));
  EXPECT_EQ(read_bytes(target), "this launcher");
  EXPECT_EQ(read_bytes(install / "korvix-launcher-windows-x64.exe"), "this launcher");
}

TEST_F(InstallFolderLauncherTest, NothingWithoutAnInstallFolderOrAProgram) {
  write_bytes(own, "this launcher");
  EXPECT_FALSE(place_launcher_in_install_folder(own, install)) << "no such folder";
  EXPECT_FALSE(place_launcher_in_install_folder(own, {}));
  EXPECT_FALSE(place_launcher_in_install_folder({}, folder.path()));
  EXPECT_EQ(read_bytes(own), "this launcher");
  fs::create_directories(install);
  EXPECT_FALSE(place_launcher_in_install_folder(folder / "missing", install)) << "nothing to move or copy";
  EXPECT_FALSE(fs::exists(target));
}

TEST(SelfUpdateCleanUpTest, RemovesOldAndDownloadBesideBothLaunchers) {
  TempFolder folder;
  fs::path launcher = folder / launcher_file_name;
  fs::path own = running_executable_path();
  for (const fs::path& file : {launcher, own}) {
    write_bytes(old_path_for(file), "old");
    write_bytes(download_path_for(file), "partial");
  }
  write_bytes(launcher, "stays");
  write_bytes(folder / "korvix-launcher-windows-x64.exe.old", "stays too");
  clean_update_leftovers(folder.path());
  for (const fs::path& file : {launcher, own}) {
    EXPECT_FALSE(fs::exists(old_path_for(file))) << to_utf8(file);
    EXPECT_FALSE(fs::exists(download_path_for(file))) << to_utf8(file);
  }
  EXPECT_EQ(read_bytes(launcher), "stays");
  EXPECT_TRUE(fs::exists(folder / "korvix-launcher-windows-x64.exe.old"));
  clean_update_leftovers(folder / "missing");  // no folder: nothing to do, no error
}

TEST(DelayedDeleteCommandTest, QuotesThePathForPowerShell) {
  EXPECT_EQ(delayed_delete_command("C:\\Users\\O'Brien\\Down loads\\k.exe"),
            "powershell.exe -NoProfile -WindowStyle Hidden -Command \"$p='C:\\Users\\O''Brien\\Down loads\\k.exe';"
            "for($i=0;$i -lt 1800 -and (Test-Path -LiteralPath $p);$i++){Remove-Item -LiteralPath $p -Force "
            "-ErrorAction SilentlyContinue;Start-Sleep 1}\"");
  EXPECT_NE(delayed_delete_command("a''b").find("$p='a''''b';"), std::string::npos);
  // PowerShell ends the string at the typographic quotes as well.
  EXPECT_NE(delayed_delete_command("D:\\Rick\xE2\x80\x99s Games\\\xE2\x80\x98k\xE2\x80\x9B.exe")
                .find("$p='D:\\Rick\xE2\x80\x99\xE2\x80\x99s "
                      "Games\\\xE2\x80\x98\xE2\x80\x98k\xE2\x80\x9B\xE2\x80\x9B.exe';for("),
            std::string::npos);
}

TEST(FileMovesTest, MoveReplacesCopyOverwritesAndSameFileIsByIdentity) {
  TempFolder folder;
  write_bytes(folder / "a", "first");
  write_bytes(folder / "b", "second");
  unsigned long code = 0;
  ASSERT_TRUE(move_file_replacing(folder / "a", folder / "b", code));
  EXPECT_FALSE(fs::exists(folder / "a"));
  EXPECT_EQ(read_bytes(folder / "b"), "first");
  EXPECT_FALSE(move_file_replacing(folder / "a", folder / "c", code));
  EXPECT_NE(code, 0u);

  write_bytes(folder / "c", "third, longer");
  ASSERT_TRUE(copy_file_replacing(folder / "c", folder / "b"));
  EXPECT_EQ(read_bytes(folder / "b"), "third, longer");
  EXPECT_FALSE(copy_file_replacing(folder / "missing", folder / "b"));
  EXPECT_EQ(read_bytes(folder / "b"), "third, longer");

  EXPECT_TRUE(is_same_file(folder / "b", folder / "." / "b"));
  EXPECT_FALSE(is_same_file(folder / "b", folder / "c")) << "equal bytes don't make the same file";
  fs::create_hard_link(folder / "b", folder / "b-link");
  EXPECT_TRUE(is_same_file(folder / "b", folder / "b-link"));
  EXPECT_FALSE(is_same_file(folder / "b", folder / "missing"));
}

}  // namespace
}  // namespace korvix
