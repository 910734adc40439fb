// The shortcut on Windows: the command line PowerShell gets, through a stand-in
// powershell.exe where the system's lives (the launcher starts no other).
#include <gtest/gtest.h>

#include "install/desktop_shortcut.h"
#include "platform/paths.h"
#include "recorder.h"
#include "support/system_programs_win32.h"

namespace korvix {
namespace {

TEST(DesktopShortcutWin32, PowerShellGetsTheCommandIntact) {
  if (!test::place_in_system_folder(test::recorder_program(), {"WindowsPowerShell\\v1.0\\powershell.exe"}))
    GTEST_SKIP() << "the stand-in goes into the system folder only under Wine";
  test::TempFolder temp;
  // Both quotes end a PowerShell single-quoted string: the ASCII one and U+2019.
  std::filesystem::path install =
      temp / path_from_utf8("Rick's Spiele J\xC3\xB6rg") / path_from_utf8("Anna\xE2\x80\x99s Korvix Velarine");
  test::write_bytes(install / "korvix-launcher.exe", "exe");
  test::write_bytes(install / "korvix-icon.ico", "ico");
  std::filesystem::path record = temp / "record.txt";
  test::ScopedEnv env;
  env.set("KORVIX_RECORD_FILE", to_utf8(record));
  env.set("KORVIX_RECORD_EXIT", "0");

  EXPECT_TRUE(write_desktop_shortcut(install));
  env.set("KORVIX_RECORD_EXIT", "1");
  EXPECT_FALSE(write_desktop_shortcut(install)) << "a failing PowerShell is a failure";

  std::vector<test::RecordedRun> runs = test::read_recorded_runs(record);
  ASSERT_EQ(runs.size(), 2u);
  ASSERT_EQ(runs[0].arguments.size(), 3u);
  EXPECT_EQ(runs[0].arguments[0], "-NoProfile");
  EXPECT_EQ(runs[0].arguments[1], "-Command");
  std::string command = runs[0].arguments[2];
  EXPECT_EQ(command, shortcut_command(install / "korvix-launcher.exe", install, install / "korvix-icon.ico"));
  std::string quoted_install =
      to_utf8(temp.path()) + "\\Rick''s Spiele J\xC3\xB6rg\\Anna\xE2\x80\x99\xE2\x80\x99s Korvix Velarine";
  EXPECT_NE(command.find("$s.TargetPath='" + quoted_install + "\\korvix-launcher.exe';"), std::string::npos)
      << command;
  EXPECT_NE(command.find("$s.WorkingDirectory='" + quoted_install + "';"), std::string::npos) << command;
  EXPECT_NE(command.find("$s.IconLocation='" + quoted_install + "\\korvix-icon.ico,0';$s.Save()"), std::string::npos)
      << command;
}

}  // namespace
}  // namespace korvix
