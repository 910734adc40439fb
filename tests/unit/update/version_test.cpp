// Release version order and the launcher's own version constants.
#include "update/version.h"

#include <gtest/gtest.h>

#include <string>

namespace korvix {
namespace {

TEST(VersionTest, PiecesCompareAsNumbersPaddedWithZeros) {
  EXPECT_TRUE(version_newer("0.10", "0.6.0"));
  EXPECT_FALSE(version_newer("0.6.0", "0.10"));
  EXPECT_FALSE(version_newer("0.6", "0.6.0"));
  EXPECT_FALSE(version_newer("0.6.0", "0.6"));
  EXPECT_TRUE(version_newer("0.6.1", "0.6.0"));
  EXPECT_TRUE(version_newer("1", "0.99.99"));
  EXPECT_FALSE(version_newer("0.6.0", "0.6.0"));
}

TEST(VersionTest, PiecesReadLikeStrtol) {
  EXPECT_FALSE(version_newer("1.0-beta", "1.0")) << "1.0-beta reads 1, 0";
  EXPECT_TRUE(version_newer("1.0-beta", "0.9"));
  EXPECT_TRUE(version_newer("v0.7", "0.6.0")) << "a piece without digits reads 0: 0, 7";
  EXPECT_FALSE(version_newer("v1.0", "0.6.0")) << "v1 reads 0, so this is 0, 0";
  EXPECT_TRUE(version_newer(" +2.0", "1.9"));
  EXPECT_FALSE(version_newer("", "0")) << "the empty text reads 0";
}

TEST(VersionTest, OwnVersionAndBuildCommit) {
  EXPECT_STREQ(launcher_own_version, "0.6.0");
  std::string commit = launcher_build_commit;
  EXPECT_EQ(commit.size(), 40u);
  EXPECT_EQ(commit.find_first_not_of("0123456789abcdef"), std::string::npos);
}

}  // namespace
}  // namespace korvix
