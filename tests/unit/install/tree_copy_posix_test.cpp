// The unpacked sources go into the sources folder links and all, and no link
// leads the copy out of either tree.
#include "install/tree_copy.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "platform/file_read.h"
#include "state/state_test_support.h"

namespace korvix {
namespace {

TEST(TreeCopyPosix, LinksAreCopiedAsLinksAndNothingIsWrittenThroughOne) {
  test::TempFolder temp;
  fs::path tree = temp / "unpacked";
  fs::path sources = temp / "sources";
  fs::path outside = temp / "outside";
  test::write_bytes(outside / "secret.txt", "outside");

  test::write_bytes(tree / "installer" / "Install-Korvix.ps1", "script");
  fs::create_symlink(outside, tree / "to-outside");       // a folder elsewhere
  fs::create_symlink("missing.txt", tree / "dangling");   // leads nowhere
  fs::create_symlink("loop", tree / "loop");              // goes round
  fs::create_symlink(".", tree / "installer" / "here");   // would nest for ever
  ASSERT_EQ(::mkfifo((tree / "pipe").c_str(), 0600), 0);  // no file at all
  test::write_bytes(tree / "docs" / "readme.txt", "new docs");
  test::write_bytes(tree / "was-a-folder", "now a file");

  // What an earlier copy or the player left: a link where the tree has a folder
  // (writing through it would change the outside folder), a file where it has a
  // link, a folder where it has a file, and a file of the player's own.
  fs::create_directories(sources);
  fs::create_symlink(outside, sources / "docs");
  test::write_bytes(sources / "dangling", "old file");
  test::write_bytes(sources / "was-a-folder" / "inside.txt", "old");
  test::write_bytes(sources / "local-notes.txt", "mine");

  TreeCopy copy = copy_tree(tree, sources);

  ASSERT_FALSE(copy.error) << copy.error.message();
  EXPECT_TRUE(copy.links_left_out.empty());
  EXPECT_EQ(fs::read_symlink(sources / "to-outside"), outside);
  EXPECT_EQ(fs::read_symlink(sources / "dangling"), "missing.txt");
  EXPECT_EQ(fs::read_symlink(sources / "loop"), "loop");
  EXPECT_EQ(fs::read_symlink(sources / "installer" / "here"), ".");
  EXPECT_EQ(read_file_bytes(sources / "installer" / "Install-Korvix.ps1"), "script");
  EXPECT_FALSE(fs::exists(fs::symlink_status(sources / "pipe")));
  EXPECT_FALSE(fs::is_symlink(sources / "docs"));
  EXPECT_EQ(read_file_bytes(sources / "docs" / "readme.txt"), "new docs");
  EXPECT_EQ(read_file_bytes(sources / "was-a-folder"), "now a file");
  EXPECT_EQ(read_file_bytes(sources / "local-notes.txt"), "mine");
  // The outside folder is as it was: nothing copied from it, nothing into it.
  EXPECT_FALSE(fs::exists(outside / "readme.txt"));
  EXPECT_EQ(std::distance(fs::directory_iterator(outside), {}), 1);
  EXPECT_FALSE(fs::exists(sources / "secret.txt"));
}

TEST(TreeCopyPosix, AFailureStopsTheCopyWithItsReason) {
  test::TempFolder temp;
  test::write_bytes(temp / "unpacked" / "file.txt", "x");
  test::write_bytes(temp / "taken", "a file where the sources folder goes");
  TreeCopy copy = copy_tree(temp / "unpacked", temp / "taken" / "sources");
  EXPECT_TRUE(copy.error);
  EXPECT_FALSE(copy.error.message().empty());
}

}  // namespace
}  // namespace korvix
