// The look panel's settings, written to korvix.toml while the game may be
// changing the same file.
#include <gtest/gtest.h>

#include "editor/editor_test_support.h"
#include "platform/file_read.h"

namespace korvix::test {
namespace {

using LookSettings = EditorTest;

const SettingSpec& look_row(std::string_view key) { return *find_subtitle_setting(key); }

TEST_F(LookSettings, EachChangeReadsTheFileAgainSoTheGamesChangesStay) {
  const fs::path toml = install / "korvix.toml";
  write_bytes(toml, "subtitles = 2\r\nsubtitles_size = 140\r\nmaster_volume = 5\r\n");
  open_sample();
  // The game, running beside the editor, writes its own panel's changes.
  write_bytes(toml, "subtitles = 2\r\nsubtitles_size = 180\r\nmaster_volume = 9\r\n");

  ASSERT_TRUE(document.step_look(look_row("subtitles_background"), +1));
  EXPECT_EQ(read_file_bytes(toml),
            "subtitles = 2\r\nsubtitles_size = 180\r\nmaster_volume = 9\r\nsubtitles_background = 70\r\n");
  EXPECT_EQ(document.look().get(look_row("subtitles_size")), "180") << "the preview sees it too";

  ASSERT_TRUE(document.step_look(look_row("subtitles_size"), -1));
  EXPECT_EQ(document.look().get(look_row("subtitles_size")), "170") << "stepped from the game's value";

  write_bytes(toml, "subtitles = 0\r\nsubtitles_size = 170\r\nsubtitles_background = 70\r\nmaster_volume = 2\r\n");
  ASSERT_TRUE(document.step_look(look_row("subtitles_edge"), +1));
  EXPECT_EQ(document.look().get(look_row("subtitles")), "0") << "the game turned them off meanwhile";

  // "As they were": every look setting back to its default; whether subtitles
  // show at all, and everything else, stays as the game left it.
  write_bytes(toml,
              "subtitles = 0\r\nsubtitles_size = 170\r\nsubtitles_background = 70\r\nmaster_volume = 4\r\n"
              "subtitles_edge = 2\r\n");
  ASSERT_TRUE(document.reset_look());
  std::string file = read_file_bytes(toml).value_or("");
  EXPECT_NE(file.find("subtitles = 0\r\n"), std::string::npos) << file;
  EXPECT_NE(file.find("master_volume = 4\r\n"), std::string::npos) << file;
  for (const SettingSpec& spec : subtitle_settings()) {
    if (spec.key != "subtitles") {
      EXPECT_EQ(document.look().get(spec), spec.default_value) << spec.key;
    }
  }
  EXPECT_FALSE(document.dirty()) << "the look is the game's file, not the subtitles";
}

TEST_F(LookSettings, AFailedWriteSaysSoInTheStatusLine) {
  open_sample();
  // Where korvix.toml would go, a folder: it can be neither read nor written.
  fs::create_directories(install / "korvix.toml");
  EXPECT_FALSE(document.step_look(look_row("subtitles_width"), +1));
  EXPECT_EQ(document.status, "Couldn't save " + to_utf8(install / "korvix.toml") + ".");
  document.status.clear();
  EXPECT_FALSE(document.reset_look());
  EXPECT_EQ(document.status, "Couldn't save " + to_utf8(install / "korvix.toml") + ".");
}

}  // namespace
}  // namespace korvix::test
