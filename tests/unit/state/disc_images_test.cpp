// The disc-image search on real folders with sparse images.
#include "state/disc_images.h"

#include <gtest/gtest.h>

#include "state/folders.h"
#include "state_test_support.h"

namespace korvix {
namespace {

using test::gib;
using test::make_sparse_file;
using test::TempFolder;
using test::write_bytes;

// Windows refuses links to users without the privilege; those cases then can't be set up.
bool made_directory_link(const fs::path& target, const fs::path& link) {
  std::error_code error;
  fs::create_directory_symlink(target, link, error);
  return !error;
}

bool made_file_link(const fs::path& target, const fs::path& link) {
  std::error_code error;
  fs::create_symlink(target, link, error);
  return !error;
}

class DiscImageSearchTest : public ::testing::Test {
 protected:
  // A drive root and a home folder, both inside the temporary folder.
  fs::path drive() const { return temp / "drive"; }
  fs::path home() const { return temp / "home"; }
  std::vector<fs::path> search() const {
    return find_disc_images_in({home(), home() / "Downloads", home() / "Documents", drive()});
  }
  TempFolder temp;
};

TEST_F(DiscImageSearchTest, FindsALargeImageWithACapitalExtensionOneFolderBelowADriveRoot) {
  make_sparse_file(drive() / "Xbox" / "GAME.ISO", 7 * gib);
  EXPECT_EQ(search(), std::vector<fs::path>{drive() / "Xbox" / "GAME.ISO"});
}

TEST_F(DiscImageSearchTest, NeverLooksTwoFoldersDeep) {
  make_sparse_file(drive() / "a" / "b" / "deep.iso", 7 * gib);
  EXPECT_TRUE(search().empty());
}

TEST_F(DiscImageSearchTest, SmallFilesAreStubsOrPartialDownloads) {
  make_sparse_file(home() / "Downloads" / "partial.iso", 600ull << 20);
  make_sparse_file(home() / "Downloads" / "just-short.iso", gib - 1);
  make_sparse_file(home() / "Downloads" / "exactly.iso", gib);
  EXPECT_EQ(search(), std::vector<fs::path>{home() / "Downloads" / "exactly.iso"});
}

TEST_F(DiscImageSearchTest, OnlyRegularFilesNamedDotIsoCount) {
  make_sparse_file(home() / "game.img", 7 * gib);
  make_sparse_file(home() / "game.iso.part", 7 * gib);
  make_sparse_file(home() / ".iso", 7 * gib);  // a hidden file without an extension
  fs::create_directories(home() / "folder.iso");
  EXPECT_TRUE(search().empty());
}

TEST_F(DiscImageSearchTest, AnImageReachedTwiceIsListedOnce) {
  make_sparse_file(drive() / "Images" / "game.iso", 7 * gib);
  fs::create_directories(home());
  // Downloads is a link into the drive, and the home folder sees it too.
  if (!made_directory_link(drive() / "Images", home() / "Downloads")) GTEST_SKIP() << "no links here";
  EXPECT_EQ(search(), std::vector<fs::path>{drive() / "Images" / "game.iso"})
      << "listed once, under its canonical name, in the order first found";
}

TEST_F(DiscImageSearchTest, AnImageInDownloadsIsReachedFromHomeAndListedOnce) {
  make_sparse_file(home() / "Downloads" / "game.iso", 7 * gib);
  EXPECT_EQ(search(), std::vector<fs::path>{home() / "Downloads" / "game.iso"});
}

TEST_F(DiscImageSearchTest, KeepsTheOrderOfTheStartFolders) {
  make_sparse_file(temp / "c" / "aaa.iso", 7 * gib);
  make_sparse_file(temp / "a" / "zzz.iso", 7 * gib);
  make_sparse_file(temp / "b" / "inner" / "mmm.iso", 7 * gib);
  EXPECT_EQ(find_disc_images_in({temp / "a", temp / "b", temp / "c"}),
            (std::vector<fs::path>{temp / "a" / "zzz.iso", temp / "b" / "inner" / "mmm.iso", temp / "c" / "aaa.iso"}));
}

TEST_F(DiscImageSearchTest, LinksToFoldersAndHiddenFoldersAreNotEntered) {
  make_sparse_file(temp / "elsewhere" / "linked.iso", 7 * gib);
  make_sparse_file(drive() / ".hidden" / "hidden.iso", 7 * gib);
  fs::create_directories(drive());
  if (!made_directory_link(temp / "elsewhere", drive() / "link")) GTEST_SKIP() << "no links here";
  EXPECT_TRUE(search().empty());
}

TEST_F(DiscImageSearchTest, ALinkToAnImageFileIsTakenAsItsTarget) {
  make_sparse_file(temp / "store" / "real.iso", 7 * gib);
  fs::create_directories(home());
  if (!made_file_link(temp / "store" / "real.iso", home() / "shortcut.iso")) GTEST_SKIP() << "no links here";
  EXPECT_EQ(search(), std::vector<fs::path>{temp / "store" / "real.iso"});
}

TEST_F(DiscImageSearchTest, LoopingAndDanglingLinksAreSkipped) {
  fs::create_directories(drive());
  if (!made_directory_link(drive() / "loop", drive() / "loop")) GTEST_SKIP() << "no links here";
  if (!made_file_link(drive() / "self.iso", drive() / "self.iso")) GTEST_SKIP() << "no links here";
  if (!made_file_link(drive() / "gone.iso", drive() / "dangling.iso")) GTEST_SKIP() << "no links here";
  make_sparse_file(drive() / "good" / "game.iso", 7 * gib);
  EXPECT_EQ(search(), std::vector<fs::path>{drive() / "good" / "game.iso"});
}

TEST_F(DiscImageSearchTest, AMissingFolderAddsNothing) {
  make_sparse_file(drive() / "open" / "game.iso", 7 * gib);
  EXPECT_EQ(find_disc_images_in({temp / "missing", temp / "missing" / "deeper", drive()}),
            std::vector<fs::path>{drive() / "open" / "game.iso"});
}

TEST_F(DiscImageSearchTest, TheUsualFoldersComeFirstThenTheDriveRoots) {
  test::ScopedEnv env;
  env.set("USERPROFILE", to_utf8(home()));
  std::vector<fs::path> folders = disc_image_search_folders();
  ASSERT_GE(folders.size(), 6u);
  EXPECT_EQ(folders[0], own_executable().parent_path());
  EXPECT_EQ(std::vector<fs::path>(folders.begin() + 1, folders.begin() + 6),
            (std::vector<fs::path>{home(), home() / "Downloads", home() / "Documents", home() / "Desktop",
                                   home() / "Games"}));
}

}  // namespace
}  // namespace korvix
