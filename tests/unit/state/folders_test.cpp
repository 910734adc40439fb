// Well-known folders, free space and the short form of a path.
#include "state/folders.h"

#include <gtest/gtest.h>

#include "platform/desktop.h"
#include "platform/volumes.h"
#include "state_test_support.h"

namespace korvix {
namespace {

using test::TempFolder;
using test::write_bytes;

void install_game(const fs::path& folder) {
  write_bytes(folder / "korvix.exe", "exe");
  write_bytes(folder / "game" / "default.xex", "xex");
}

using FoldersTest = test::TempUser;

TEST_F(FoldersTest, DataAndHomeFoldersComeFromTheEnvironment) {
  EXPECT_EQ(data_folder(), temp / "appdata" / "KorvixVelarine");
  EXPECT_EQ(home_folder(), temp / "home");
}

TEST_F(FoldersTest, InstalledMeansTheGameAndItsDataAreThere) {
  fs::path folder = temp / "install";
  EXPECT_FALSE(is_installed(folder));
  write_bytes(folder / "korvix.exe", "exe");
  EXPECT_FALSE(is_installed(folder)) << "no game/default.xex yet";
  write_bytes(folder / "game" / "default.xex", "xex");
  EXPECT_TRUE(is_installed(folder));
  EXPECT_FALSE(is_installed(fs::path())) << "an empty path never means the working folder";
}

TEST_F(FoldersTest, DefaultInstallFolderPrefersAnExistingInstall) {
  fs::path games = temp / "home" / "Games";
  EXPECT_EQ(default_install_folder(), games / "KorvixVelarine");
  install_game(games / "Korvix Velarine");
  EXPECT_EQ(default_install_folder(), games / "Korvix Velarine");
  install_game(games / "KorvixVelarine");
  EXPECT_EQ(default_install_folder(), games / "KorvixVelarine") << "the name without a space wins";
}

TEST_F(FoldersTest, FreeSpaceOfAFolderNotYetCreatedIsThatOfItsNearestParent) {
  std::optional<uint64_t> parent = free_bytes_available(temp.path());
  ASSERT_TRUE(parent.has_value());
  ASSERT_GT(*parent, 0u);
  std::optional<uint64_t> missing = free_space(temp / "not" / "yet" / "created");
  write_bytes(temp / "a-file", "x");
  std::optional<uint64_t> under_a_file = free_space(temp / "a-file" / "sub");
  ASSERT_TRUE(missing && under_a_file);
  // Other programs write meanwhile: the same volume within a margin.
  const uint64_t margin = uint64_t{256} << 20;
  EXPECT_NEAR(static_cast<double>(*missing), static_cast<double>(*parent), static_cast<double>(margin));
  EXPECT_NEAR(static_cast<double>(*under_a_file), static_cast<double>(*parent), static_cast<double>(margin));
}

// Whatever a test builds (a plain LauncherApp that saves launcher.ini, say), the
// user's folders it reaches are temporary ones of the test run.
TEST(TestRunFolders, EveryUserFolderIsATemporaryOne) {
  fs::path temp = fs::temp_directory_path().lexically_normal();
  auto is_temporary = [&](const fs::path& path) {
    fs::path inside = path.lexically_normal().lexically_relative(temp);
    return !inside.empty() && *inside.begin() != "..";
  };
  for (const char* variable :
       {"APPDATA", "USERPROFILE", "HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"}) {
    std::optional<std::string> value = env_var(variable);
    ASSERT_TRUE(value.has_value()) << variable;
    EXPECT_TRUE(is_temporary(path_from_utf8(*value))) << variable << " is " << *value;
  }
  for (const fs::path& folder : {data_folder(), home_folder(), desktop_folder(), default_install_folder()})
    EXPECT_TRUE(is_temporary(folder)) << to_utf8(folder);
}

TEST(FormatGigabytes, RoundsToWholeBinaryGigabytes) {
  EXPECT_EQ(format_gigabytes(0), "0 GB");
  EXPECT_EQ(format_gigabytes((uint64_t{1} << 30) * 40), "40 GB");
  EXPECT_EQ(format_gigabytes((uint64_t{1} << 30) * 14 / 10), "1 GB");
  EXPECT_EQ(format_gigabytes((uint64_t{1} << 30) * 17 / 10), "2 GB");
  EXPECT_EQ(format_gigabytes(uint64_t{1} << 50), "1048576 GB");
}

TEST(SpaceFreePath, APathWithoutSpacesIsKept) {
  EXPECT_EQ(space_free_path("/no/spaces/here"), fs::path("/no/spaces/here"));
  EXPECT_EQ(space_free_path(fs::path()), fs::path());
}

TEST(SpaceFreePath, APathWithSpacesBecomesShortOrStaysAsItIs) {
  TempFolder temp;
  fs::path spaced = temp / "Korvix Velarine" / "build dir";
  fs::create_directories(spaced);
  fs::path result = space_free_path(spaced);
  EXPECT_TRUE(result == spaced || result.native().find(' ') == fs::path::string_type::npos);
  EXPECT_TRUE(fs::equivalent(result, spaced));
  EXPECT_EQ(space_free_path(temp / "not there" / "x y"), temp / "not there" / "x y");
}

}  // namespace
}  // namespace korvix
