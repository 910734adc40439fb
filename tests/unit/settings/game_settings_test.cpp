// korvix.toml on disk: loading, and the exact bytes after each set.
#include "settings/game_settings.h"

#include <gtest/gtest.h>

#include <string>

#include "settings/setting_values.h"
#include "settings_test_files.h"

namespace korvix {
namespace {

class GameSettingsTest : public SettingsFileTest {
 protected:
  GameSettings loaded() const {
    GameSettings settings;
    settings.load(file);
    return settings;
  }
};

TEST_F(GameSettingsTest, AMissingFileGetsOneLineOnTheFirstStep) {
  GameSettings settings = loaded();
  EXPECT_EQ(settings.path(), file);
  EXPECT_TRUE(settings.lines().empty());
  ASSERT_TRUE(settings.step_value(setting_row("frame_rate_limit"), 1));
  EXPECT_EQ(read(), "frame_rate_limit = \"30\"\r\n");
  EXPECT_EQ(entries_in_folder(), 1u) << "no temporary file is left behind";

  write("");
  settings = loaded();
  ASSERT_TRUE(settings.step_value(setting_row("frame_rate_limit"), 1));
  EXPECT_EQ(read(), "frame_rate_limit = \"30\"\r\n");
}

TEST_F(GameSettingsTest, EveryOtherLineKeepsItsTextAndAllLinesEndInCrLf) {
  write(
      "# Korvix settings\n"
      "[graphics]\n"
      "fullscreen = true\r\n"
      "  native_fog=false   # fog is a matter of taste\n"
      "unknown_key = \"kept\"   # and its comment\n"
      "\n"
      "# native_fog = true\n"
      "stray_cr = 1\r\r\n"
      "[audio]\n"
      "volume = 80");
  GameSettings settings = loaded();
  EXPECT_EQ(settings.get(setting_row("native_fog")), "false");
  EXPECT_EQ(settings.displayed_value(setting_row("native_fog")), "Off");
  ASSERT_TRUE(settings.step_value(setting_row("native_fog"), 1));
  EXPECT_EQ(read(),
            "# Korvix settings\r\n"
            "[graphics]\r\n"
            "fullscreen = true\r\n"
            "native_fog = true\r\n"
            "unknown_key = \"kept\"   # and its comment\r\n"
            "\r\n"
            "# native_fog = true\r\n"
            "stray_cr = 1\r\r\n"
            "[audio]\r\n"
            "volume = 80\r\n");
}

TEST_F(GameSettingsTest, ANewKeyIsAppendedAfterTheLastLineEvenInsideASection) {
  write("[graphics]\nfullscreen = false\n[audio]\n");
  GameSettings settings = loaded();
  ASSERT_TRUE(settings.set(setting_row("resolution"), ""));
  ASSERT_TRUE(settings.set(setting_row("native_render_scale"), "95"));
  EXPECT_EQ(read(), "[graphics]\r\nfullscreen = false\r\n[audio]\r\nresolution = \"\"\r\nnative_render_scale = 95\r\n");
  EXPECT_EQ(loaded().displayed_value(setting_row("resolution")), "Native");
}

TEST_F(GameSettingsTest, ADuplicatedKeyShowsTheLastValueAndASetReplacesEveryLine) {
  write("subtitles_size = 120\nother = 1\n  subtitles_size=150 # later\n");
  GameSettings settings = loaded();
  EXPECT_EQ(settings.displayed_value(setting_row("subtitles_size")), "150%");
  ASSERT_TRUE(settings.step_value(setting_row("subtitles_size"), -1));
  EXPECT_EQ(read(), "subtitles_size = 140\r\nother = 1\r\nsubtitles_size = 140\r\n");
}

TEST_F(GameSettingsTest, KeysDifferByCaseAndCommentsOrKeylessLinesNeverMatch) {
  write("Fullscreen = false\n#fullscreen = false\n[fullscreen = false]\n = false\n");
  GameSettings settings = loaded();
  EXPECT_EQ(settings.displayed_value(setting_row("fullscreen")), "On") << "no line sets fullscreen";
  ASSERT_TRUE(settings.step_value(setting_row("fullscreen"), 1));
  EXPECT_EQ(read(),
            "Fullscreen = false\r\n#fullscreen = false\r\n[fullscreen = false]\r\n = false\r\nfullscreen = false\r\n");
}

TEST_F(GameSettingsTest, QuotedValuesReadBetweenTheQuotesAndWriteInTheStandardForm) {
  write("native_upscaler = \"fsr\" # chosen in game\nresolution = \"1440p\nframe_rate_limit = 60\n");
  GameSettings settings = loaded();
  EXPECT_EQ(settings.displayed_value(setting_row("native_upscaler")), "AMD FSR 3.1");
  EXPECT_EQ(settings.displayed_value(setting_row("resolution")), "2560 x 1440") << "no closing quote";
  EXPECT_EQ(settings.displayed_value(setting_row("frame_rate_limit")), "60 fps") << "bare is read as well";
  ASSERT_TRUE(settings.step_value(setting_row("native_upscaler"), 1));
  ASSERT_TRUE(settings.step_value(setting_row("frame_rate_limit"), 1));
  EXPECT_EQ(read(), "native_upscaler = \"off\"\r\nresolution = \"1440p\r\nframe_rate_limit = \"72\"\r\n");
}

TEST_F(GameSettingsTest, AnEmptyValueIsKeptRatherThanTheDefault) {
  write("native_render_scale =\nsubtitles = \"\"\n");
  GameSettings settings = loaded();
  EXPECT_EQ(settings.get(setting_row("native_render_scale")), "");
  EXPECT_EQ(settings.displayed_value(setting_row("native_render_scale")), "0%");
  EXPECT_EQ(settings.displayed_value(setting_row("subtitles")), "");
  ASSERT_TRUE(settings.step_value(setting_row("native_render_scale"), 1));
  EXPECT_EQ(read(), "native_render_scale = 25\r\nsubtitles = \"\"\r\n");
}

TEST_F(GameSettingsTest, EffectsAreDimmedWhileVelarineGraphicsIsOffButStillSave) {
  write("velarine_graphics = false\n");
  GameSettings settings = loaded();
  EXPECT_FALSE(is_dimmed(settings, effect_settings()[0]));
  for (const SettingSpec& spec : effect_settings()) {
    if (!spec.velarine_effect) continue;
    EXPECT_TRUE(is_dimmed(settings, spec)) << spec.key;
    EXPECT_TRUE(settings.step_value(spec, 1)) << spec.key;
  }
  EXPECT_FALSE(is_dimmed(settings, graphics_settings()[0]));
  GameSettings reread = loaded();
  EXPECT_EQ(reread.lines().size(), effect_settings().size());
  EXPECT_EQ(reread.get(setting_row("native_shadow_resolution")), "300");
  ASSERT_TRUE(reread.set(effect_settings()[0], "true"));
  EXPECT_FALSE(is_dimmed(reread, setting_row("native_fog")));
}

TEST_F(GameSettingsTest, AsTheyWereResetsTheLookButNotWhetherSubtitlesShow) {
  write("subtitles = 2\nsubtitles_size = 150\nsubtitles_edge = 0\nsubtitles_width = 60\n");
  GameSettings settings = loaded();
  ASSERT_TRUE(reset_subtitle_look(settings));
  EXPECT_EQ(read(),
            "subtitles = 2\r\nsubtitles_size = 100\r\nsubtitles_edge = 1\r\nsubtitles_width = 78\r\n"
            "subtitles_speaker_colors = true\r\nsubtitles_speaker_names = true\r\nsubtitles_background = 60\r\n"
            "subtitles_box = 0\r\nsubtitles_position = 8\r\n");
}

// A realistic file the game wrote, with LF line ends.
TEST_F(GameSettingsTest, ARoundTripKeepsEveryOtherLineOfAGameFile) {
  std::string game_file =
      "# Korvix Velarine configuration\n"
      "# Written by the game; edit with care.\n"
      "\n"
      "[system]\n"
      "language = \"en\"\n"
      "content_path = \"C:\\\\Games\\\\Korvix\\\\game\"   # no escapes in the launcher\n"
      "\n"
      "[graphics]\n"
      "fullscreen = false\n"
      "frame_rate_limit = \"144\"\n"
      "resolution = \"1440p\"\n"
      "native_render_scale = 75\n"
      "native_upscaler = \"xess\"\n"
      "native_upscaler_sharpness = 0.45\n"
      "velarine_graphics = true\n"
      "native_shadow_distance = 150\n"
      "window_position = [ 100, 200 ]\n"
      "\n"
      "[audio]\n"
      "music_volume = 0.8\n"
      "subtitles = 2\n"
      "subtitles_size = 120\n"
      "subtitles_edge = 2\n"
      "\n"
      "[input]\n"
      "deadzone = 0.15 # stick\n";
  write(game_file);
  GameSettings settings = loaded();
  EXPECT_EQ(settings.displayed_value(setting_row("frame_rate_limit")), "144 fps");
  EXPECT_EQ(settings.displayed_value(setting_row("native_upscaler_sharpness")), "0.45");
  EXPECT_EQ(settings.displayed_value(setting_row("subtitles_edge")), "Outline");
  ASSERT_TRUE(settings.step_value(setting_row("native_upscaler_sharpness"), 1));

  std::string expected;
  for (size_t start = 0; start < game_file.size();) {
    size_t end = game_file.find('\n', start);
    std::string line = game_file.substr(start, end - start);
    if (line.starts_with("native_upscaler_sharpness")) line = "native_upscaler_sharpness = 0.50";
    expected += line + "\r\n";
    start = end + 1;
  }
  EXPECT_EQ(read(), expected);
}

// Hostile files: nothing crashes, and a set changes only its own line.
TEST_F(GameSettingsTest, HostileLinesSurviveASetByteForByte) {
  std::string long_line = "long = " + std::string(100 * 1024, 'x');
  std::string long_comment = "# " + std::string(100 * 1024, '=');
  std::string nul_line("nul\0key = a\0b", 13);
  std::string bad_utf8 = "caf\xe9 = \xff\xfe\xc3\x28";
  std::string hostile[] = {long_line, long_comment, nul_line, bad_utf8, "only_quotes = \"\"\"\"\"",
                           "= 5",     "=",          "\"",     "\r",     "native_fog"};
  std::string before;
  for (const std::string& line : hostile) before += line + "\r\n";
  write(before);

  GameSettings settings = loaded();
  EXPECT_EQ(settings.lines().size(), std::size(hostile));
  EXPECT_EQ(settings.displayed_value(setting_row("native_fog")), "On") << "a bare key without '=' sets nothing";
  ASSERT_TRUE(settings.step_value(setting_row("native_fog"), 1));
  EXPECT_EQ(read(), before + "native_fog = false\r\n");
}

TEST_F(GameSettingsTest, TenThousandLinesSurviveASet) {
  std::string before;
  for (int i = 0; i < 10000; ++i) {
    if (i == 5000) before += "subtitles_width = 40\r\n";
    before += "key_" + std::to_string(i) + " = " + std::to_string(i) + "\r\n";
  }
  write(before);
  GameSettings settings = loaded();
  EXPECT_EQ(settings.lines().size(), 10001u);
  ASSERT_TRUE(settings.step_value(setting_row("subtitles_width"), 1));
  std::string expected = before;
  expected.replace(expected.find("subtitles_width = 40"), 20, "subtitles_width = 42");
  EXPECT_EQ(read(), expected);
}

TEST_F(GameSettingsTest, AFolderInPlaceOfTheFileFailsTheSetAndKeepsTheValue) {
  std::filesystem::create_directory(file);
  GameSettings settings = loaded();
  EXPECT_TRUE(settings.lines().empty());
  EXPECT_EQ(settings.displayed_value(setting_row("fullscreen")), "On");
  EXPECT_FALSE(settings.step_value(setting_row("fullscreen"), 1));
  EXPECT_EQ(settings.get(setting_row("fullscreen")), "false") << "the new value stays in memory";
  EXPECT_EQ(settings.lines(), std::vector<std::string>{"fullscreen = false"});
  EXPECT_TRUE(std::filesystem::is_directory(file));
  EXPECT_EQ(entries_in_folder(), 1u) << "no temporary file is left behind";
  EXPECT_EQ(settings.save_failed_message(), "Couldn't save " + file.string() + ".");
}

TEST_F(GameSettingsTest, AByteOrderMarkIsNoPartOfTheFirstKeyAndStays) {
  // Notepad starts a UTF-8 file with a byte-order mark.
  const std::string mark = "\xEF\xBB\xBF";
  write(mark + "fullscreen = true\r\n# look\r\nnative_fog = false\r\n");
  GameSettings settings = loaded();
  EXPECT_EQ(settings.displayed_value(setting_row("fullscreen")), "On");
  ASSERT_TRUE(settings.step_value(setting_row("fullscreen"), 1));
  EXPECT_EQ(read(), mark + "fullscreen = false\r\n# look\r\nnative_fog = false\r\n")
      << "one line for the key, and the mark where it was";

  write(mark);
  settings = loaded();
  EXPECT_TRUE(settings.lines().empty());
  ASSERT_TRUE(settings.step_value(setting_row("native_fog"), 1));
  EXPECT_EQ(read(), mark + "native_fog = false\r\n");

  // A mark anywhere else is text of its line, and a file without one gets none.
  write("native_fog = true\n" + mark + "fullscreen = true\n");
  settings = loaded();
  EXPECT_EQ(settings.get(setting_row("native_fog")), "true");
  ASSERT_TRUE(settings.step_value(setting_row("native_fog"), 1));
  EXPECT_EQ(read(), "native_fog = false\r\n" + mark + "fullscreen = true\r\n");
}

TEST_F(GameSettingsTest, AMissingFolderFailsTheSet) {
  GameSettings settings;
  settings.load(folder / "not here" / "korvix.toml");
  EXPECT_FALSE(settings.set(setting_row("fullscreen"), "false"));
  EXPECT_EQ(settings.get(setting_row("fullscreen")), "false");
  EXPECT_FALSE(GameSettings().set(setting_row("fullscreen"), "false")) << "nothing loaded: no file to write";
}

}  // namespace
}  // namespace korvix
