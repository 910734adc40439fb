// The shortcut elsewhere: a desktop entry in the folder user-dirs.dirs names.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "install/desktop_shortcut.h"
#include "platform/paths.h"
#include "state/state_test_support.h"

namespace korvix {
namespace {

TEST(DesktopShortcutPosix, AnExecutableEntryInTheUsersDesktopFolder) {
  test::TempFolder temp;
  test::ScopedEnv env;
  env.set("USERPROFILE", to_utf8(temp / "home"));
  env.set("XDG_CONFIG_HOME", to_utf8(temp / "config"));
  test::write_bytes(temp / "config" / "user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n");
  std::filesystem::path install = temp / "Bob's \"Games\"";
  test::write_bytes(install / "korvix-launcher", "exe");
  test::write_bytes(install / "korvix-icon.png", "png");

  ASSERT_TRUE(write_desktop_shortcut(install));
  std::filesystem::path entry = temp / "home" / "Schreibtisch" / "Korvix Velarine.desktop";
  std::string folder = to_utf8(install);
  EXPECT_EQ(test::read_bytes(entry), "[Desktop Entry]\nType=Application\nName=Korvix Velarine\nExec=\"" +
                                         to_utf8(temp.path()) + "/Bob's \\\\\"Games\\\\\"/korvix-launcher\"\nPath=" +
                                         folder + "\nIcon=" + folder + "/korvix-icon.png\nTerminal=false\n");
  struct stat info{};
  ASSERT_EQ(stat(entry.c_str(), &info), 0);
  EXPECT_TRUE(info.st_mode & S_IXUSR);

  // A file where the desktop folder should be: nothing can be written.
  std::filesystem::remove_all(temp / "home" / "Schreibtisch");
  test::write_bytes(temp / "home" / "Schreibtisch", "");
  EXPECT_FALSE(write_desktop_shortcut(install));
}

}  // namespace
}  // namespace korvix
