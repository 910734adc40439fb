// GameSettings: the game's korvix.toml in memory. It changes single values and
// writes every other line back as it was read (apart from line ends: CR LF).
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "settings/setting_schema.h"

namespace korvix {

class GameSettings {
 public:
  // Replaces the whole content with the file at `path`. Never fails: a missing
  // or unreadable file gives no lines, so every row shows its default.
  void load(const std::filesystem::path& path);

  // The file's value for the row's key (even when empty), else the row's default.
  std::string get(const SettingSpec& spec) const;
  // The same without a copy, valid until the next load or set.
  std::string_view value_view(const SettingSpec& spec) const;

  // Stores the value, replaces every line of the row's key (or appends one) and
  // rewrites the file at once. False when the file was not written completely;
  // the new value is kept in memory either way.
  bool set(const SettingSpec& spec, std::string_view value);

  // The row's value as the menu shows it; worked out once per value, so a page
  // drawn every frame neither copies nor parses a long value again. Valid until
  // the next load or set.
  const std::string& displayed_value(const SettingSpec& spec) const;
  // Changes the value by one step (delta +1 or -1) and stores it with set.
  bool step_value(const SettingSpec& spec, int delta);

  const std::filesystem::path& path() const { return path_; }
  const std::vector<std::string>& lines() const { return lines_; }
  // "Couldn't save <path>." for the status line after a failed set.
  std::string save_failed_message() const;

 private:
  bool write_file() const;

  std::filesystem::path path_;
  std::vector<std::string> lines_;                                     // without line ends
  std::map<std::string, std::string> values_;                          // the last line of a key wins
  mutable std::map<std::string, std::string, std::less<>> displayed_;  // by key, filled as rows ask
  // The file exists but could not be read whole: writing our partial copy back
  // would destroy the game's settings, so set stores in memory only.
  bool unreadable_ = false;
  // The file began with a UTF-8 byte-order mark: skipped when read, kept when written.
  bool byte_order_mark_ = false;
};

// Rows with velarine_effect are dimmed while Velarine Graphics is not "true"
// (they still change and save).
bool is_dimmed(const GameSettings& settings, const SettingSpec& spec);

// "As they were": every subtitles row but `subtitles` back to its default, one
// set per row. False if any write failed.
bool reset_subtitle_look(GameSettings& settings);

}  // namespace korvix
