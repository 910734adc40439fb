// The three constant tables and the rules that read them.
#include "settings/setting_schema.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "settings/game_settings.h"
#include "settings/setting_values.h"

namespace korvix {
namespace {

std::vector<std::string> keys_of(const std::vector<SettingSpec>& table) {
  std::vector<std::string> keys;
  for (const SettingSpec& spec : table) keys.emplace_back(spec.key);
  return keys;
}

std::vector<const std::vector<SettingSpec>*> all_tables() {
  return {&graphics_settings(), &effect_settings(), &subtitle_settings()};
}

TEST(SettingSchema, TablesHoldTheirRowsInMenuOrder) {
  EXPECT_EQ(keys_of(graphics_settings()),
            (std::vector<std::string>{"fullscreen", "frame_rate_limit", "resolution", "native_render_scale",
                                      "native_upscaler", "native_upscaler_sharpness", "native_upscaler_msaa",
                                      "native_sharp_fonts", "native_upscaled_textures"}));
  EXPECT_EQ(keys_of(effect_settings()),
            (std::vector<std::string>{"velarine_graphics", "native_camera_motion_blur", "native_object_motion_blur",
                                      "native_camera_motion_blur_strength", "native_speed_blur", "native_fog",
                                      "native_ambient_occlusion", "native_god_rays", "native_shadow_resolution",
                                      "native_shadow_distance", "native_shadow_softness", "native_world_shadows",
                                      "native_world_shadows_saved", "native_foliage_fade", "native_map_clouds"}));
  EXPECT_EQ(keys_of(subtitle_settings()),
            (std::vector<std::string>{"subtitles", "subtitles_speaker_colors", "subtitles_speaker_names",
                                      "subtitles_size", "subtitles_background", "subtitles_box", "subtitles_edge",
                                      "subtitles_position", "subtitles_width"}));
}

TEST(SettingSchema, KeysAreUniqueAndEveryDefaultIsAValueTheRowAllows) {
  std::set<std::string_view> keys;
  for (const auto* table : all_tables()) {
    for (const SettingSpec& spec : *table) {
      SCOPED_TRACE(std::string(spec.key));
      EXPECT_TRUE(keys.insert(spec.key).second) << "duplicate key";
      EXPECT_FALSE(spec.label.empty());
      switch (spec.kind) {
        case SettingKind::Bool:
          EXPECT_TRUE(spec.default_value == "true" || spec.default_value == "false");
          break;
        case SettingKind::Choice: {
          bool listed = false;
          for (const SettingChoice& choice : spec.choices) listed = listed || choice.value == spec.default_value;
          EXPECT_TRUE(listed);
          break;
        }
        case SettingKind::Number: {
          double v = parse_setting_number(spec.default_value);
          EXPECT_GE(v, spec.min);
          EXPECT_LE(v, spec.max);
          EXPECT_GT(spec.step, 0);
          // A default on the grid survives a step there and back.
          auto up = stepped_text(spec, spec.default_value, v < spec.max ? 1 : -1);
          ASSERT_TRUE(up);
          EXPECT_EQ(displayed_text(spec, *stepped_text(spec, *up, v < spec.max ? -1 : 1)),
                    displayed_text(spec, spec.default_value));
          break;
        }
      }
      if (spec.kind != SettingKind::Choice) {
        EXPECT_TRUE(spec.choices.empty());
      }
    }
  }
}

TEST(SettingSchema, ChoicesAndRangesOfTheTrickyRows) {
  const SettingSpec* edge = find_subtitle_setting("subtitles_edge");
  ASSERT_NE(edge, nullptr);
  ASSERT_EQ(edge->choices.size(), 3u);
  EXPECT_EQ(edge->choices[0].value, "1");  // Drop shadow, Outline, Plain: not value order
  EXPECT_EQ(edge->choices[1].value, "2");
  EXPECT_EQ(edge->choices[2].value, "0");
  EXPECT_EQ(edge->choices[2].label, "Plain");

  const SettingSpec& frame_rate = graphics_settings()[1];
  EXPECT_EQ(frame_rate.choices.front().value, "auto");
  EXPECT_EQ(frame_rate.choices.back().value, "0");
  EXPECT_EQ(frame_rate.choices.back().label, "Unlocked");
  EXPECT_EQ(frame_rate.choices.size(), 10u);

  const SettingSpec& resolution = graphics_settings()[2];
  EXPECT_EQ(resolution.default_value, "");
  EXPECT_EQ(resolution.choices.front().label, "Native");
  EXPECT_EQ(resolution.choices.back().label, "3840 x 2160");

  for (const SettingSpec& spec : effect_settings()) {
    EXPECT_FALSE(spec.percent) << spec.key;
    EXPECT_EQ(spec.velarine_effect, spec.key != "velarine_graphics") << spec.key;
  }
  for (const auto* table : {&graphics_settings(), &subtitle_settings()}) {
    for (const SettingSpec& spec : *table) EXPECT_FALSE(spec.velarine_effect) << spec.key;
  }
}

TEST(SettingSchema, QuotesExactlyTheThreeTextValuedChoices) {
  std::set<std::string> quoted;
  for (const auto* table : all_tables()) {
    for (const SettingSpec& spec : *table) {
      if (needs_quotes(spec)) quoted.emplace(spec.key);
    }
  }
  EXPECT_EQ(quoted, (std::set<std::string>{"frame_rate_limit", "resolution", "native_upscaler"}));

  SettingSpec decimals;
  decimals.kind = SettingKind::Choice;
  decimals.choices = {{"-1.5", "a"}, {"2", "b"}};
  EXPECT_FALSE(needs_quotes(decimals));
  decimals.choices.push_back({"", "empty"});
  EXPECT_TRUE(needs_quotes(decimals));
}

TEST(SettingSchema, FindSubtitleSettingIsExactAndCaseSensitive) {
  const SettingSpec* names = find_subtitle_setting("subtitles_speaker_names");
  ASSERT_NE(names, nullptr);
  EXPECT_EQ(names->label, "Speaker names");
  EXPECT_EQ(find_subtitle_setting("Subtitles_speaker_names"), nullptr);
  EXPECT_EQ(find_subtitle_setting("subtitles_speaker"), nullptr);
  EXPECT_EQ(find_subtitle_setting("fullscreen"), nullptr) << "a graphics key is not a subtitles row";
}

TEST(SettingSchema, AFreshInstallShowsTheDefaults) {
  GameSettings settings;  // nothing loaded: no line for any key
  std::vector<std::string> shown;
  for (size_t i = 0; i < 6; ++i) shown.push_back(settings.displayed_value(graphics_settings()[i]));
  EXPECT_EQ(shown, (std::vector<std::string>{"On", "Auto", "Native", "100%", "Off", "0.30"}));
  EXPECT_EQ(settings.displayed_value(effect_settings()[3]), "1.0");
  EXPECT_EQ(settings.displayed_value(*find_subtitle_setting("subtitles_edge")), "Drop shadow");
}

}  // namespace
}  // namespace korvix
