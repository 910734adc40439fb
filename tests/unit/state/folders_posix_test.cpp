// Fallbacks of the data and home folders where APPDATA and USERPROFILE are unset.
#include <gtest/gtest.h>

#include "state/folders.h"
#include "state/launcher_config.h"
#include "state_test_support.h"

namespace korvix {
namespace {

class PosixFoldersTest : public ::testing::Test {
 protected:
  PosixFoldersTest() {
    env.set("APPDATA", std::nullopt);
    env.set("USERPROFILE", std::nullopt);
    env.set("HOME", to_utf8(temp / "home"));
    env.set("XDG_DATA_HOME", to_utf8(temp / "xdg"));
  }
  test::TempFolder temp;
  test::ScopedEnv env;
};

TEST_F(PosixFoldersTest, WithoutAppDataTheDataFolderIsInXdgDataHome) {
  EXPECT_EQ(data_folder(), temp / "xdg" / "KorvixVelarine");
  EXPECT_EQ(config_path(), temp / "xdg" / "KorvixVelarine" / "launcher.ini");
  env.set("XDG_DATA_HOME", std::nullopt);
  EXPECT_EQ(data_folder(), temp / "home" / ".local" / "share" / "KorvixVelarine");
  env.set("XDG_DATA_HOME", "relative/ignored");
  EXPECT_EQ(data_folder(), temp / "home" / ".local" / "share" / "KorvixVelarine");
}

TEST_F(PosixFoldersTest, EmptyVariablesCountAsUnset) {
  env.set("APPDATA", "");
  env.set("USERPROFILE", "");
  EXPECT_EQ(data_folder(), temp / "xdg" / "KorvixVelarine") << "never a folder relative to the working folder";
  EXPECT_EQ(home_folder(), temp / "home");
}

TEST_F(PosixFoldersTest, WithoutUserProfileHomeIsHome) {
  EXPECT_EQ(home_folder(), temp / "home");
  EXPECT_EQ(default_install_folder(), temp / "home" / "Games" / "KorvixVelarine");
}

}  // namespace
}  // namespace korvix
