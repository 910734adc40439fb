// A save keeps the file's identity on Windows: its attributes, and a symbolic
// link where the system lets this user make one.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/file_read.h"
#include "platform/file_save.h"
#include "platform/system_error.h"
#include "state/state_test_support.h"

namespace korvix {
namespace {

TEST(FileSaveWin32, AHiddenFileStaysHiddenAndAReadOnlyOneIsRefused) {
  test::TempFolder temp;
  fs::path target = temp / "launcher.ini";
  test::write_bytes(target, "old");
  ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(save_file(target, "new").ok());
  EXPECT_EQ(read_file_bytes(target), "new");
  EXPECT_NE(GetFileAttributesW(target.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);

  ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
  SaveResult saved = save_file(target, "newer");
  EXPECT_EQ(saved.failed_at, SaveStep::replacing);
  EXPECT_EQ(saved.reason, system_error_text(ERROR_ACCESS_DENIED));
  EXPECT_EQ(read_file_bytes(target), "new");
  SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(FileSaveWin32, ALinkStaysALink) {
  test::TempFolder temp;
  fs::create_directories(temp / "install");
  test::write_bytes(temp / "shared" / "korvix.toml", "old");
  fs::path link = temp / "install" / "korvix.toml";
  fs::path real = temp / "shared" / "korvix.toml";
  // Wine's claims to make one and makes nothing.
  CreateSymbolicLinkW(link.c_str(), real.c_str(), SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
  DWORD attributes = GetFileAttributesW(link.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
    GTEST_SKIP() << "this system doesn't let this user make symbolic links";
  ASSERT_TRUE(save_file(link, "new").ok());
  EXPECT_NE(GetFileAttributesW(link.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT, 0u) << "the link was replaced";
  EXPECT_EQ(read_file_bytes(real), "new");
}

}  // namespace
}  // namespace korvix
