// The install record and the installed-version text of the main menu.
#include "state/install_record.h"

#include <gtest/gtest.h>

#include <chrono>

#include "state/launcher_config.h"
#include "state_test_support.h"

namespace korvix {
namespace {

using test::read_bytes;
using test::TempFolder;
using test::write_bytes;

const std::string commit = "0123456789abcdef0123456789abcdef01234567";

class InstallRecordTest : public ::testing::Test {
 protected:
  InstallRecordTest() {
    app.install_dir = temp / "install";
    app.source_dir = temp / "sources";
  }
  TempFolder temp;
  LauncherChoices app;
  InstallRecordCache records;
};

TEST_F(InstallRecordTest, WritesTheThreeKeysInOrderWithCrLf) {
  fs::path file = temp / "new" / "folder" / "korvix-version.txt";
  ASSERT_TRUE(write_install_record(file, {"main", commit, "2026-03-01"}));
  EXPECT_EQ(read_bytes(file), "branch=main\r\ncommit=" + commit + "\r\ndate=2026-03-01\r\n");
  ASSERT_TRUE(write_install_record(file, {}));
  EXPECT_EQ(read_bytes(file), "branch=\r\ncommit=\r\ndate=\r\n");
}

TEST_F(InstallRecordTest, KeyOrderExtraKeysAndLineEndsDoNotMatter) {
  write_bytes(temp / "a.txt", "date=2026-03-01\nextra=1\ncommit=" + commit + "\r\nbranch=main\n");
  InstallRecord record = read_install_record(temp / "a.txt");
  EXPECT_EQ(record.branch, "main");
  EXPECT_EQ(record.commit, commit);
  EXPECT_EQ(record.date, "2026-03-01");
  InstallRecord missing = read_install_record(temp / "missing.txt");
  EXPECT_TRUE(missing.branch.empty() && missing.commit.empty() && missing.date.empty());
}

TEST_F(InstallRecordTest, VersionTextShowsBranchShortCommitAndDate) {
  ASSERT_TRUE(write_install_record(app.install_dir / install_record_file, {"main", commit, "2026-03-01 12:00"}));
  EXPECT_EQ(installed_version_text(records, app.install_dir, app.source_dir), "main 0123456 (2026-03-01 12:00)");
  EXPECT_EQ(installed_branch(records, app.install_dir), "main");
  ASSERT_TRUE(write_install_record(app.install_dir / install_record_file, {"", commit, ""}));
  EXPECT_EQ(installed_version_text(records, app.install_dir, app.source_dir), "? 0123456");
  ASSERT_TRUE(write_install_record(app.install_dir / install_record_file, {"main", "abc", ""}));
  EXPECT_EQ(installed_version_text(records, app.install_dir, app.source_dir), "main abc") << "a short id stays whole";
}

TEST_F(InstallRecordTest, TheMenuReadsARecordAgainOnlyWhenItChanges) {
  fs::path installed = app.install_dir / install_record_file;
  ASSERT_TRUE(write_install_record(installed, {"main", commit, "2026-03-01"}));
  EXPECT_EQ(installed_version_text(records, app.install_dir, app.source_dir), "main 0123456 (2026-03-01)");
  EXPECT_EQ(installed_branch(records, app.install_dir), "main");

  // The same size and time: the frame doesn't read the file again.
  fs::file_time_type stamp = fs::last_write_time(installed);
  write_bytes(installed, "branch=next\r\ncommit=" + commit + "\r\ndate=2026-03-09\r\n");
  fs::last_write_time(installed, stamp);
  EXPECT_EQ(installed_version_text(records, app.install_dir, app.source_dir), "main 0123456 (2026-03-01)");
  EXPECT_EQ(installed_branch(records, app.install_dir), "main");

  // Another time: read again.
  fs::last_write_time(installed, stamp + std::chrono::seconds(2));
  EXPECT_EQ(installed_version_text(records, app.install_dir, app.source_dir), "next 0123456 (2026-03-09)");
  EXPECT_EQ(installed_branch(records, app.install_dir), "next");

  // Gone: the sources' record serves, read as it changes too.
  fs::remove(installed);
  ASSERT_TRUE(write_install_record(app.source_dir / source_record_file, {"experimental", commit, ""}));
  EXPECT_EQ(installed_version_text(records, app.install_dir, app.source_dir), "experimental 0123456");
  ASSERT_TRUE(write_install_record(app.source_dir / source_record_file, {"exp", commit, ""}));
  EXPECT_EQ(installed_version_text(records, app.install_dir, app.source_dir), "exp 0123456");
  EXPECT_EQ(installed_branch(records, app.install_dir), "");
}

TEST_F(InstallRecordTest, OnlyTheStartOfALargeRecordIsRead) {
  std::string padding = "note=" + std::string(100 * 1024, 'x') + "\n";
  write_bytes(temp / "large.txt", "branch=main\n" + padding + "commit=" + commit + "\n");
  InstallRecord large = read_install_record(temp / "large.txt");
  EXPECT_EQ(large.branch, "main");
  EXPECT_EQ(large.commit, "") << "beyond the first 64 KiB";
  // A line the limit cuts is left out, not read short.
  std::string filler = "note=" + std::string(install_record_bytes_limit - 30, 'x') + "\n";
  write_bytes(temp / "cut.txt", "branch=main\n" + filler + "commit=" + commit + "\n");
  EXPECT_EQ(read_install_record(temp / "cut.txt").commit, "");
  write_bytes(temp / "fits.txt", "branch=main\n" + filler.substr(100) + "commit=" + commit + "\n");
  EXPECT_EQ(read_install_record(temp / "fits.txt").commit, commit);
}

TEST_F(InstallRecordTest, WithoutTheInstallsRecordTheSourcesRecordServesWhole) {
  ASSERT_TRUE(write_install_record(app.source_dir / source_record_file, {"experimental", commit, "yesterday"}));
  EXPECT_EQ(installed_version_text(records, app.install_dir, app.source_dir), "experimental 0123456 (yesterday)");
  // A record without a commit counts as none; its branch is not mixed in.
  ASSERT_TRUE(write_install_record(app.install_dir / install_record_file, {"main", "", "today"}));
  EXPECT_EQ(installed_version_text(records, app.install_dir, app.source_dir), "experimental 0123456 (yesterday)");
  EXPECT_EQ(installed_branch(records, app.install_dir), "main");
}

TEST_F(InstallRecordTest, NoRecordAnywhereIsUnknown) {
  EXPECT_EQ(installed_version_text(records, app.install_dir, app.source_dir), "unknown");
  EXPECT_EQ(installed_branch(records, app.install_dir), "");
}

TEST_F(InstallRecordTest, UnsetFoldersNeverReadTheWorkingFolder) {
  fs::path before = fs::current_path();
  fs::current_path(temp.path());
  ASSERT_TRUE(write_install_record(temp / install_record_file, {"main", commit, ""}));
  ASSERT_TRUE(write_install_record(temp / source_record_file, {"main", commit, ""}));
  LauncherChoices unset;
  std::string text = installed_version_text(records, unset.install_dir, unset.source_dir);
  std::string branch = installed_branch(records, unset.install_dir);
  fs::current_path(before);
  EXPECT_EQ(text, "unknown");
  EXPECT_EQ(branch, "");
}

}  // namespace
}  // namespace korvix
