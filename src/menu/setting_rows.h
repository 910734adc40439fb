// The settings pages: which table a page edits and how its rows look.
#pragma once

#include <imgui.h>

#include <string>
#include <vector>

#include "menu/menu_row.h"
#include "settings/setting_schema.h"

namespace korvix {

class GameSettings;
class LauncherApp;

// The settings table of a page (display, effects, subtitles), or none.
const std::vector<SettingSpec>* settings_table_for_screen(int32_t screen);

struct SettingRowView {
  std::string label;
  std::string value;
  ImU32 value_color = 0;
};

// Choice and Number values framed by arrows, Bool values bare; an effect row is
// dimmed while Velarine Graphics is off, yet stays selectable and changeable.
SettingRowView setting_row_view(const SettingSpec& spec, const GameSettings& settings);
SettingRowView setting_row_view(const LauncherApp& app, MenuRow row);

// Steps the setting by -1 or +1 and saves at once; a failed save says so in `message`.
void change_setting_row(LauncherApp& app, MenuRow row, int direction);

}  // namespace korvix
