#include "menu/setting_rows.h"

#include "app/launcher_app.h"
#include "menu/menu_theme.h"
#include "settings/game_settings.h"
#include "ui/text_fit.h"

namespace korvix {

namespace {

const SettingSpec* spec_for_row(int32_t screen, MenuRow row) {
  const std::vector<SettingSpec>* table = settings_table_for_screen(screen);
  if (!table || !is_setting_row(row)) return nullptr;
  size_t index = static_cast<size_t>(row - row_first_setting);
  return index < table->size() ? &(*table)[index] : nullptr;
}

}  // namespace

const std::vector<SettingSpec>* settings_table_for_screen(int32_t screen) {
  switch (screen) {
    case screen_display:
      return &graphics_settings();
    case screen_effects:
      return &effect_settings();
    case screen_subtitles:
      return &subtitle_settings();
    default:
      return nullptr;
  }
}

SettingRowView setting_row_view(const SettingSpec& spec, const GameSettings& settings) {
  SettingRowView view;
  view.label = std::string(spec.label);
  // A value from the file may be of any length: the row takes what it can show.
  view.value = screenful(settings.displayed_value(spec));
  if (spec.kind != SettingKind::Bool) view.value = "<  " + view.value + "  >";
  view.value_color = is_dimmed(settings, spec) ? theme::dim : theme::white;
  return view;
}

SettingRowView setting_row_view(const LauncherApp& app, MenuRow row) {
  const SettingSpec* spec = spec_for_row(app.screen, row);
  return spec ? setting_row_view(*spec, app.settings) : SettingRowView{};
}

void change_setting_row(LauncherApp& app, MenuRow row, int direction) {
  const SettingSpec* spec = spec_for_row(app.screen, row);
  if (!spec) return;
  if (!app.settings.step_value(*spec, direction)) app.message = app.settings.save_failed_message();
}

}  // namespace korvix
