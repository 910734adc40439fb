// An update copies the newer sources over the ones an earlier install left.
#include "install/tree_copy.h"

#include <gtest/gtest.h>

#include "platform/file_read.h"
#include "state/state_test_support.h"

namespace korvix {
namespace {

TEST(TreeCopy, ANewerTreeReplacesTheFilesOfAnEarlierCopy) {
  test::TempFolder temp;
  fs::path sources = temp / "sources";
  test::write_bytes(temp / "old" / "installer" / "Install-Korvix.ps1", "old script");
  test::write_bytes(temp / "old" / "README.md", "old");
  ASSERT_FALSE(copy_tree(temp / "old", sources).error);
  test::write_bytes(sources / "logs" / "install.log", "the script's own");
  test::write_bytes(temp / "new" / "installer" / "Install-Korvix.ps1", "new script");
  test::write_bytes(temp / "new" / "README.md", "new");

  TreeCopy copy = copy_tree(temp / "new", sources);

  ASSERT_FALSE(copy.error) << copy.error.message();
  EXPECT_EQ(read_file_bytes(sources / "installer" / "Install-Korvix.ps1"), "new script");
  EXPECT_EQ(read_file_bytes(sources / "README.md"), "new");
  EXPECT_EQ(read_file_bytes(sources / "logs" / "install.log"), "the script's own");
}

}  // namespace
}  // namespace korvix
