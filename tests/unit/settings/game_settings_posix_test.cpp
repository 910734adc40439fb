// A korvix.toml that exists but cannot be read is never overwritten.
#include <gtest/gtest.h>

#include <fstream>

#include "settings/game_settings.h"
#include "settings_test_files.h"

namespace korvix {
namespace {

using UnreadableSettingsTest = SettingsFileTest;

TEST_F(UnreadableSettingsTest, ASetKeepsTheUnreadFileAndReportsFailure) {
  write("fullscreen = false\nkept = 1\n");
  std::filesystem::permissions(file, std::filesystem::perms::none);
  if (std::ifstream(file)) GTEST_SKIP() << "this user reads files regardless of permissions";

  GameSettings settings;
  settings.load(file);
  EXPECT_TRUE(settings.lines().empty());
  EXPECT_EQ(settings.displayed_value(graphics_settings()[0]), "On");
  EXPECT_FALSE(settings.step_value(graphics_settings()[0], 1));
  EXPECT_EQ(settings.get(graphics_settings()[0]), "false");

  std::filesystem::permissions(file, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  EXPECT_EQ(read(), "fullscreen = false\nkept = 1\n");
}

TEST_F(UnreadableSettingsTest, AReadThatFailsIsNoEmptyFileToWriteOver) {
  // Opening works but reading fails with an I/O error; Linux's /proc/self/mem
  // does so at its start. The game's file (here a link to it) stays as it is.
  std::filesystem::remove(file);
  std::filesystem::create_symlink("/proc/self/mem", file);
  GameSettings settings;
  settings.load(file);
  EXPECT_TRUE(settings.lines().empty());
  EXPECT_FALSE(settings.step_value(graphics_settings()[0], 1)) << "a failed read was taken for an empty file";
  EXPECT_TRUE(std::filesystem::is_symlink(file));
}

using LinkedSettingsTest = SettingsFileTest;

TEST_F(LinkedSettingsTest, AGameFileKeptElsewhereThroughALinkStaysLinked) {
  // The player keeps one korvix.toml for two installs: this one links to it.
  std::filesystem::create_directories(folder / "shared");
  std::ofstream(folder / "shared" / "korvix.toml", std::ios::binary) << "fullscreen = true\n";
  std::filesystem::create_symlink("shared/korvix.toml", file);
  GameSettings settings;
  settings.load(file);
  ASSERT_TRUE(settings.step_value(graphics_settings()[0], 1));
  EXPECT_TRUE(std::filesystem::is_symlink(file));
  EXPECT_EQ(read(), "fullscreen = false\r\n") << "the file it leads to has the change";
}

}  // namespace
}  // namespace korvix
