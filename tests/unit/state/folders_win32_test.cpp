// Fallbacks of the data and home folders where APPDATA and USERPROFILE are unset.
#include <gtest/gtest.h>

#include "state/folders.h"
#include "state/launcher_config.h"
#include "state_test_support.h"

namespace korvix {
namespace {

TEST(WindowsFolders, WithoutAppDataLauncherIniLivesUnderTheHomeFolder) {
  test::TempFolder temp;
  test::ScopedEnv env;
  env.set("APPDATA", std::nullopt);
  env.set("USERPROFILE", to_utf8(temp.path()));
  EXPECT_EQ(config_path(), temp / "KorvixVelarine" / "launcher.ini");
  env.set("APPDATA", "");
  EXPECT_EQ(data_folder(), temp / "KorvixVelarine") << "an empty value counts as unset";
}

TEST(WindowsFolders, WithNeitherVariableTheSystemDriveRootServes) {
  test::ScopedEnv env;
  env.set("APPDATA", std::nullopt);
  env.set("USERPROFILE", std::nullopt);
  EXPECT_EQ(data_folder(), fs::path(L"C:\\KorvixVelarine"));
  EXPECT_EQ(home_folder(), fs::path(L"C:\\"));
}

}  // namespace
}  // namespace korvix
