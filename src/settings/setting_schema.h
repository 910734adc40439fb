// The settings schema: every game setting the launcher edits is one row of one
// of three constant tables (graphics, effects, subtitles). Table order is menu order.
#pragma once

#include <string_view>
#include <vector>

namespace korvix {

enum class SettingKind : int { Bool = 0, Choice = 1, Number = 2 };

struct SettingChoice {
  std::string_view value;  // written to korvix.toml
  std::string_view label;  // shown in the menu
};

struct SettingSpec {
  std::string_view key;    // key in korvix.toml, unique across the tables
  std::string_view label;  // name shown in the menu
  SettingKind kind = SettingKind::Bool;
  std::string_view default_value;      // what the game assumes without a line for `key`
  std::vector<SettingChoice> choices;  // Choice only, in menu order
  double min = 0;                      // Number only: inclusive range and step
  double max = 0;
  double step = 0;
  bool percent = false;          // Number only: a whole number shown as a percentage
  bool velarine_effect = false;  // off along with Velarine Graphics
};

// The constant tables, built once on first use (safe from any thread).
const std::vector<SettingSpec>& graphics_settings();
const std::vector<SettingSpec>& effect_settings();
const std::vector<SettingSpec>& subtitle_settings();

// The row of `table` whose key equals `key` exactly, or nullptr.
const SettingSpec* find_setting(const std::vector<SettingSpec>& table, std::string_view key);
const SettingSpec* find_subtitle_setting(std::string_view key);

// The key of the effects row that every Velarine effect depends on.
inline constexpr std::string_view velarine_graphics_key = "velarine_graphics";

// A Choice row with an empty or non-numeric choice value is written in double quotes.
bool needs_quotes(const SettingSpec& spec);

// Help lines shown under the rows by the pages that draw these tables.
inline constexpr std::string_view graphics_help_text =
    "Saved to korvix.toml in the install folder at once; the game uses them the next time it starts. "
    "The same settings are in the game's own Graphics panel.";
inline constexpr std::string_view effects_help_text = "The effects are part of Velarine Graphics: off with it.";
inline constexpr std::string_view subtitles_help_text =
    "The settings are saved to korvix.toml at once (also in the game: Options > Audio).";
inline constexpr std::string_view look_panel_help_text = "Saved to the game's settings (it reads them when it starts).";

}  // namespace korvix
