// The shortcut texts, the desktop folder's setting, and the icon maker's runs.
#include <gtest/gtest.h>

#include "install/desktop_shortcut.h"
#include "platform/command_line.h"
#include "platform/desktop.h"
#include "platform/paths.h"
#include "recorder.h"
#include "state/launcher_config.h"

namespace korvix {
namespace {

using test::TempFolder;

TEST(ShortcutCommand, QuotesAreDoubledAndTheIconIsOptional) {
  std::string with_icon = shortcut_command(path_from_utf8("C:/Games/Rick's Korvix/korvix-launcher.exe"),
                                           path_from_utf8("C:/Games/Rick's Korvix"),
                                           path_from_utf8("C:/Games/Rick's Korvix/korvix-icon.ico"));
  EXPECT_EQ(with_icon,
            "$s=(New-Object -ComObject WScript.Shell).CreateShortcut([IO.Path]::Combine([Environment]::GetFolderPath("
            "'Desktop'),'Korvix Velarine.lnk'));$s.TargetPath='C:/Games/Rick''s Korvix/korvix-launcher.exe';"
            "$s.WorkingDirectory='C:/Games/Rick''s Korvix';$s.IconLocation='C:/Games/Rick''s Korvix/korvix-icon.ico,0';"
            "$s.Save()");

  std::string without_icon =
      shortcut_command(path_from_utf8("D:/K\xC3\xB6rvix/korvix-launcher.exe"), path_from_utf8("D:/K\xC3\xB6rvix"), {});
  EXPECT_EQ(without_icon,
            "$s=(New-Object -ComObject WScript.Shell).CreateShortcut([IO.Path]::Combine([Environment]::GetFolderPath("
            "'Desktop'),'Korvix Velarine.lnk'));$s.TargetPath='D:/K\xC3\xB6rvix/korvix-launcher.exe';"
            "$s.WorkingDirectory='D:/K\xC3\xB6rvix';$s.Save()");
}

TEST(ShortcutCommand, TypographicQuotesAreDoubledLikeTheAsciiOne) {
  // PowerShell ends a single-quoted string at U+2018 to U+201B too.
  const std::string left = "\xE2\x80\x98", right = "\xE2\x80\x99", low = "\xE2\x80\x9A", reversed = "\xE2\x80\x9B";
  const std::string folder = "C:/Games/Rick" + right + "s " + left + "best" + low + " " + reversed;
  const std::string doubled =
      "C:/Games/Rick" + right + right + "s " + left + left + "best" + low + low + " " + reversed + reversed;
  std::string command = shortcut_command(path_from_utf8(folder + "/korvix-launcher.exe"), path_from_utf8(folder),
                                         path_from_utf8(folder + "/korvix-icon.ico"));
  EXPECT_NE(command.find("$s.TargetPath='" + doubled + "/korvix-launcher.exe';$s.WorkingDirectory='" + doubled +
                         "';$s.IconLocation='" + doubled + "/korvix-icon.ico,0';"),
            std::string::npos)
      << command;
  // Neighbours of the quotes in UTF-8 (U+2017, U+201C, a cut-off sequence) stay single.
  std::string others = "\xE2\x80\x97\xE2\x80\x9C";
  EXPECT_NE(shortcut_command(path_from_utf8("D:/" + others), path_from_utf8("D:/"), {})
                .find("TargetPath='D:/" + others + "';"),
            std::string::npos);
  EXPECT_EQ(powershell_single_quoted("a\xE2\x80"), "a\xE2\x80");
  EXPECT_EQ(powershell_single_quoted("\xE2\x80\x99\xE2"), "\xE2\x80\x99\xE2\x80\x99\xE2");
}

TEST(DesktopEntry, ExecIsQuotedByTheDesktopEntryRules) {
  EXPECT_EQ(desktop_exec_argument("/home/a/Games/Korvix Velarine/korvix-launcher"),
            "\"/home/a/Games/Korvix Velarine/korvix-launcher\"");
  // Inside the quotes " ` $ and \ take a backslash, % is doubled, and the string
  // escape then doubles every backslash once more.
  EXPECT_EQ(desktop_exec_argument(R"(/g/Bob's "best" $HOME `x` 100% a\b)"),
            R"("/g/Bob's \\"best\\" \\$HOME \\`x\\` 100%% a\\\\b")");
}

TEST(DesktopEntry, HoldsTypeNameExecPathAndIcon) {
  std::string text = desktop_entry_text(path_from_utf8("/home/a/My \"Games\"/Korvix/korvix-launcher"),
                                        path_from_utf8("/home/a/My \"Games\"/Korvix"),
                                        path_from_utf8("/home/a/My \"Games\"/Korvix/korvix-icon.png"));
  EXPECT_EQ(text,
            "[Desktop Entry]\n"
            "Type=Application\n"
            "Name=Korvix Velarine\n"
            "Exec=\"/home/a/My \\\\\"Games\\\\\"/Korvix/korvix-launcher\"\n"
            "Path=/home/a/My \"Games\"/Korvix\n"
            "Icon=/home/a/My \"Games\"/Korvix/korvix-icon.png\n"
            "Terminal=false\n");
  EXPECT_EQ(desktop_entry_text(path_from_utf8("/k/korvix-launcher"), path_from_utf8("/k"), {}).find("Icon="),
            std::string::npos);
}

TEST(DesktopFolder, ReadsXdgDesktopDirFromUserDirs) {
  std::filesystem::path home = path_from_utf8("/home/ann");
  auto folder = [&](std::string_view text) { return desktop_dir_from_user_dirs(text, home); };
  EXPECT_EQ(folder("# comment\nXDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"),
            home / "Schreibtisch");
  EXPECT_EQ(folder("XDG_DESKTOP_DIR=\"/data/My \\\"Desk\\\"\"\r\n"), path_from_utf8("/data/My \"Desk\""));
  EXPECT_EQ(folder("XDG_DESKTOP_DIR=\"$HOME/a\"\nXDG_DESKTOP_DIR=\"$HOME/b\""), home / "b");
  // The home itself means no desktop; relative, unquoted or foreign values don't count.
  EXPECT_EQ(folder("XDG_DESKTOP_DIR=\"$HOME/\""), std::nullopt);
  EXPECT_EQ(folder("XDG_DESKTOP_DIR=\"Desktop\""), std::nullopt);
  EXPECT_EQ(folder("XDG_DESKTOP_DIR=$HOME/Desktop"), std::nullopt);
  EXPECT_EQ(folder("XDG_DESKTOP_DIR=\"$HOMEDesk\""), std::nullopt);
  EXPECT_EQ(folder("XDG_DESKTOP_DIR=\"$HOME/unterminated"), std::nullopt);
  EXPECT_EQ(folder(""), std::nullopt);
}

class IconMakers : public ::testing::Test {
 protected:
  IconMakers() {
    app.install_dir = temp / "Install";
    app.source_dir = temp / "Sources";
    env.set("KORVIX_RECORD_FILE", to_utf8(record));
    env.set("KORVIX_RECORD_EXIT", std::nullopt);
    test::write_bytes(app.install_dir / "game" / "default.xex", "xex");
  }
  void place_maker(const std::filesystem::path& path) {
    std::filesystem::create_directories(path.parent_path());
    std::filesystem::copy_file(test::recorder_program(), path);
  }
  std::vector<test::RecordedRun> runs() { return test::read_recorded_runs(record); }

  TempFolder temp;
  test::ScopedEnv env;
  std::filesystem::path record = temp / "record.txt";
  LauncherChoices app;
};

TEST_F(IconMakers, EachMakerRunsInTurnUntilOneSucceeds) {
  std::filesystem::path in_install = app.install_dir / "korvix-icon.exe";
  std::filesystem::path in_build = app.source_dir / "out" / "build" / "x64-Release" / "korvix-icon.exe";
  place_maker(in_build);
  place_maker(in_install);
  test::write_bytes(app.source_dir / "out" / "build" / "korvix-icon.exe" / "not-a-program", "");

  ensure_game_icon(app.install_dir, app.source_dir);  // both fail with 3
  std::vector<test::RecordedRun> made = runs();
  ASSERT_EQ(made.size(), 2u);
  std::vector<std::string> expected{to_utf8(app.install_dir / "game" / "default.xex"), to_utf8(app.install_dir)};
  EXPECT_EQ(made[0].arguments, expected);
  EXPECT_EQ(made[1].arguments, expected);

  std::filesystem::remove(record);
  env.set("KORVIX_RECORD_EXIT", "0");
  ensure_game_icon(app.install_dir, app.source_dir);
  EXPECT_EQ(runs().size(), 1u) << "the first maker succeeded";
}

TEST_F(IconMakers, NoRunWhenBothIconsExistOrTheGameImageIsMissing) {
  place_maker(app.install_dir / "korvix-icon.exe");
  test::write_bytes(app.install_dir / "korvix-icon.ico", "ico");
  test::write_bytes(app.install_dir / "korvix-icon.png", "png");
  ensure_game_icon(app.install_dir, app.source_dir);
  EXPECT_TRUE(runs().empty());

  std::filesystem::remove(app.install_dir / "korvix-icon.png");
  std::filesystem::remove(app.install_dir / "game" / "default.xex");
  ensure_game_icon(app.install_dir, app.source_dir);
  EXPECT_TRUE(runs().empty());

  test::write_bytes(app.install_dir / "game" / "default.xex", "xex");
  ensure_game_icon(app.install_dir, app.source_dir);
  EXPECT_EQ(runs().size(), 1u) << "the png alone was missing";
}

}  // namespace
}  // namespace korvix
