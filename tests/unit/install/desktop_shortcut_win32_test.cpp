// The shortcut on Windows: the command line PowerShell gets, through a stand-in
// powershell.exe found in the current folder (searched before the system's).
#include <gtest/gtest.h>

#include "install/desktop_shortcut.h"
#include "platform/paths.h"
#include "recorder.h"

namespace korvix {
namespace {

class CurrentFolder {
 public:
  explicit CurrentFolder(const std::filesystem::path& folder) : saved_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
  }
  ~CurrentFolder() { std::filesystem::current_path(saved_); }

 private:
  std::filesystem::path saved_;
};

TEST(DesktopShortcutWin32, PowerShellGetsTheCommandIntact) {
  test::TempFolder temp;
  std::filesystem::path tools = temp / "tools";
  std::filesystem::create_directories(tools);
  std::filesystem::copy_file(test::recorder_program(), tools / "powershell.exe");
  std::filesystem::path install = temp / path_from_utf8("Rick's Spiele J\xC3\xB6rg") / "Korvix Velarine";
  test::write_bytes(install / "korvix-launcher.exe", "exe");
  test::write_bytes(install / "korvix-icon.ico", "ico");
  std::filesystem::path record = temp / "record.txt";
  test::ScopedEnv env;
  env.set("KORVIX_RECORD_FILE", to_utf8(record));
  env.set("KORVIX_RECORD_EXIT", "0");
  CurrentFolder in_tools(tools);

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
  std::string quoted_install = to_utf8(temp.path()) + "\\Rick''s Spiele J\xC3\xB6rg\\Korvix Velarine";
  EXPECT_NE(command.find("$s.TargetPath='" + quoted_install + "\\korvix-launcher.exe';"), std::string::npos)
      << command;
  EXPECT_NE(command.find("$s.WorkingDirectory='" + quoted_install + "';"), std::string::npos) << command;
  EXPECT_NE(command.find("$s.IconLocation='" + quoted_install + "\\korvix-icon.ico,0';$s.Save()"), std::string::npos)
      << command;
  EXPECT_TRUE(std::filesystem::equivalent(path_from_utf8(runs[0].folder), tools)) << "the launcher's folder";
}

}  // namespace
}  // namespace korvix
