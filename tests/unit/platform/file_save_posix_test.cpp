// A save keeps the file's identity: links stay links, permission bits stay.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "platform/file_read.h"
#include "platform/file_save.h"
#include "state/state_test_support.h"

namespace korvix {
namespace {

class FileSavePosix : public ::testing::Test {
 protected:
  static mode_t mode_of(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
  }
  static std::string bytes_of(const fs::path& path) { return read_file_bytes(path).value_or("(unreadable)"); }
  static size_t entries_in(const fs::path& folder) {
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {}));
  }

  test::TempFolder temp;
};

TEST_F(FileSavePosix, ALinkStaysALinkAndTheFileItLeadsToIsReplaced) {
  // korvix.toml -> ../shared/settings.toml -> real.toml, as a player may keep one file for two installs.
  fs::create_directories(temp / "install");
  test::write_bytes(temp / "shared" / "real.toml", "old = 1\n");
  fs::create_symlink("real.toml", temp / "shared" / "settings.toml");
  fs::create_symlink("../shared/settings.toml", temp / "install" / "korvix.toml");

  SaveResult saved = save_file(temp / "install" / "korvix.toml", "new = 2\n");

  ASSERT_TRUE(saved.ok()) << saved.reason;
  EXPECT_EQ(fs::read_symlink(temp / "install" / "korvix.toml"), "../shared/settings.toml");
  EXPECT_EQ(fs::read_symlink(temp / "shared" / "settings.toml"), "real.toml");
  EXPECT_EQ(bytes_of(temp / "shared" / "real.toml"), "new = 2\n");
  EXPECT_EQ(entries_in(temp / "install"), 1u) << "no temporary file beside the link";
  EXPECT_EQ(entries_in(temp / "shared"), 2u) << "none beside the file";
}

TEST_F(FileSavePosix, ALinkThatLeadsNowhereYetGetsItsFile) {
  fs::create_directories(temp / "install");
  fs::create_directories(temp / "elsewhere");
  fs::create_symlink(temp / "elsewhere" / "launcher.ini", temp / "install" / "launcher.ini");
  ASSERT_TRUE(save_file(temp / "install" / "launcher.ini", "a=1\r\n").ok());
  EXPECT_TRUE(fs::is_symlink(temp / "install" / "launcher.ini"));
  EXPECT_EQ(bytes_of(temp / "elsewhere" / "launcher.ini"), "a=1\r\n");
}

TEST_F(FileSavePosix, LinksThatGoRoundFailTheSaveAndStay) {
  fs::create_symlink("b", temp / "a");
  fs::create_symlink("a", temp / "b");
  SaveResult saved = save_file(temp / "a", "x");
  EXPECT_EQ(saved.failed_at, SaveStep::replacing);
  EXPECT_EQ(saved.reason, std::make_error_code(std::errc::too_many_symbolic_link_levels).message());
  EXPECT_EQ(fs::read_symlink(temp / "a"), "b");
  EXPECT_EQ(fs::read_symlink(temp / "b"), "a");
  EXPECT_EQ(entries_in(temp.path()), 2u);
}

TEST_F(FileSavePosix, TheNewFileHasTheOldOnesPermissionBits) {
  fs::path target = temp / "korvix.toml";
  for (mode_t mode : {0600, 0640, 0664, 0755}) {
    test::write_bytes(target, "old");
    ASSERT_EQ(::chmod(target.c_str(), mode), 0);
    ASSERT_TRUE(save_file(target, "new").ok());
    EXPECT_EQ(mode_of(target), mode);
    EXPECT_EQ(bytes_of(target), "new");
  }
  // Through a link, the bits are those of the file it leads to.
  ASSERT_EQ(::chmod(target.c_str(), 0660), 0);
  fs::create_symlink(target, temp / "link.toml");
  ASSERT_TRUE(save_file(temp / "link.toml", "newer").ok());
  EXPECT_EQ(mode_of(target), 0660u);
}

TEST_F(FileSavePosix, AReadOnlyFileIsNotReplacedEvenForTheSuperuserNorThroughALink) {
  fs::path target = temp / "korvix.toml";
  test::write_bytes(target, "kept");
  ASSERT_EQ(::chmod(target.c_str(), 0444), 0);
  fs::create_symlink(target, temp / "link.toml");
  for (const fs::path& path : {target, temp / "link.toml"}) {
    SaveResult saved = save_file(path, "new");
    EXPECT_EQ(saved.failed_at, SaveStep::replacing) << path;
    EXPECT_EQ(saved.reason, std::strerror(EACCES));
  }
  EXPECT_EQ(bytes_of(target), "kept");
  EXPECT_EQ(mode_of(target), 0444u);
  EXPECT_TRUE(fs::is_symlink(temp / "link.toml"));
  EXPECT_EQ(entries_in(temp.path()), 2u);
}

}  // namespace
}  // namespace korvix
