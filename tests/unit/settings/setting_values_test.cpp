// Showing and stepping values: wrapping, clamping, grid rounding and formatting.
#include "settings/setting_values.h"

#include <gtest/gtest.h>

#include <string>

#include "settings_test_files.h"

namespace korvix {
namespace {

std::string step(std::string_view key, std::string_view value, int delta) {
  return stepped_text(setting_row(key), value, delta).value_or("<none>");
}

TEST(SettingValues, BoolShowsOnOnlyForTrueAndAnyOtherTextStepsToTrue) {
  const SettingSpec& fullscreen = setting_row("fullscreen");
  EXPECT_EQ(displayed_text(fullscreen, "true"), "On");
  EXPECT_EQ(displayed_text(fullscreen, "yes"), "Off");
  EXPECT_EQ(displayed_text(fullscreen, "True"), "Off");
  EXPECT_EQ(step("fullscreen", "yes", 1), "true");
  EXPECT_EQ(step("fullscreen", "true", -1), "false");
  EXPECT_EQ(step("fullscreen", "false", -1), "true");
}

TEST(SettingValues, ChoicesWrapAtBothEndsAndStrangeValuesShowAsThemselves) {
  EXPECT_EQ(step("frame_rate_limit", "0", 1), "auto");
  EXPECT_EQ(step("frame_rate_limit", "auto", -1), "0");
  EXPECT_EQ(step("frame_rate_limit", "auto", 1), "30");
  EXPECT_EQ(displayed_text(setting_row("frame_rate_limit"), "45"), "45");
  EXPECT_EQ(step("frame_rate_limit", "45", 1), "30") << "no match counts as the first choice";
  EXPECT_EQ(step("frame_rate_limit", "45", -1), "0");
  EXPECT_EQ(displayed_text(setting_row("frame_rate_limit"), "0"), "Unlocked");
  EXPECT_EQ(displayed_text(setting_row("resolution"), ""), "Native");
  EXPECT_EQ(step("resolution", "4k", 1), "");
  EXPECT_EQ(step("subtitles_edge", "0", 1), "1") << "menu order, not value order";
  EXPECT_EQ(step("subtitles_edge", "1", -1), "0");
  EXPECT_EQ(step("subtitles_edge", "1", 1), "2");
}

TEST(SettingValues, ChoiceStepsFromTheLastMatchWhileTheLabelComesFromTheFirst) {
  SettingSpec doubled;
  doubled.kind = SettingKind::Choice;
  doubled.choices = {{"a", "First a"}, {"b", "B"}, {"a", "Second a"}, {"c", "C"}};
  EXPECT_EQ(displayed_text(doubled, "a"), "First a");
  EXPECT_EQ(stepped_text(doubled, "a", 1), "c");
  EXPECT_EQ(stepped_text(doubled, "a", -1), "b");
}

TEST(SettingValues, NumbersClampToTheirRangeAndRoundToTheGrid) {
  EXPECT_EQ(step("native_render_scale", "100", 1), "100");
  EXPECT_EQ(step("native_render_scale", "25", -1), "25");
  EXPECT_EQ(step("native_render_scale", "100", -1), "95");
  EXPECT_EQ(step("native_render_scale", "97", 1), "100") << "102 is clamped to 100";
  EXPECT_EQ(step("native_render_scale", "91", -1), "85") << "86 is rounded to the grid";
  EXPECT_EQ(step("native_render_scale", "12", 1), "25");
  EXPECT_EQ(step("subtitles_size", "195", 1), "200");
  EXPECT_EQ(step("subtitles_size", "-1e300", 1), "50");
  EXPECT_EQ(step("native_camera_motion_blur_strength", "1.0", 1), "1.10");
  EXPECT_EQ(step("native_camera_motion_blur_strength", "3", 1), "3.00");
  EXPECT_EQ(step("native_upscaler_sharpness", "1", 1), "1.00");
  EXPECT_EQ(step("native_upscaler_sharpness", "0.3", 1), "0.35");
  EXPECT_EQ(step("native_upscaler_sharpness", "0.3", -1), "0.25");
  EXPECT_EQ(step("native_upscaler_sharpness", "0.02", -1), "0.00");
  EXPECT_EQ(step("native_upscaler_sharpness", "0.", 1), "0.05");
  EXPECT_EQ(step("subtitles_position", "not a number", 1), "2") << "no number reads as 0";
  EXPECT_EQ(step("subtitles_width", "nan", 1), "40");
  EXPECT_EQ(step("subtitles_width", "+77.2", 1), "80") << "79.2 goes to the nearest grid value";
}

TEST(SettingValues, NumbersShowAsPercentOrWithTheirDecimals) {
  EXPECT_EQ(displayed_text(setting_row("native_render_scale"), "100"), "100%");
  EXPECT_EQ(displayed_text(setting_row("native_render_scale"), "62.5"), "63%");
  EXPECT_EQ(displayed_text(setting_row("native_render_scale"), "-62.5"), "-63%");
  EXPECT_EQ(displayed_text(setting_row("native_render_scale"), "abc"), "0%");
  EXPECT_EQ(displayed_text(setting_row("native_upscaler_sharpness"), "0.3"), "0.30");
  EXPECT_EQ(displayed_text(setting_row("native_camera_motion_blur_strength"), "1"), "1.0");
  EXPECT_EQ(displayed_text(setting_row("native_camera_motion_blur_strength"), "1.25abc"), "1.2");
  // Absurd numbers from a hand-edited file show without overflow.
  EXPECT_EQ(displayed_text(setting_row("subtitles_size"), "1e300"), "9223372036854775807%");
  EXPECT_EQ(displayed_text(setting_row("subtitles_size"), "1e999"), "0%");
  EXPECT_EQ(displayed_text(setting_row("native_upscaler_sharpness"), "1e300").size(), 304u);
}

TEST(SettingValues, ParsingIgnoresLeadingBlanksAndStopsAtTheFirstNonDigit) {
  EXPECT_EQ(parse_setting_number("  42"), 42);
  EXPECT_EQ(parse_setting_number("\t-1.5x"), -1.5);
  EXPECT_EQ(parse_setting_number("1e2"), 100);
  EXPECT_EQ(parse_setting_number("0x10"), 0);
  EXPECT_EQ(parse_setting_number("inf"), 0);
  EXPECT_EQ(parse_setting_number(""), 0);
}

}  // namespace
}  // namespace korvix
