#include "menu/row_views.h"

#include <algorithm>
#include <cmath>

#include "app/launcher_app.h"
#include "menu/log_screen.h"
#include "menu/menu_theme.h"
#include "menu/setting_rows.h"
#include "platform/paths.h"
#include "state/folders.h"

namespace korvix {

namespace {

struct RowLabel {
  MenuRow row;
  const char* label;
};

constexpr RowLabel row_labels[] = {
    {row_disc_image, "Disc image"},
    {row_install_to, "Install to"},
    {row_build_and_install, "Build and install"},
    {row_play, "Play"},
    {row_update, "Update"},
    {row_check_for_updates, "Check for updates"},
    {row_start_directly, "Start the game directly"},
    {row_desktop_shortcut, "Desktop shortcut"},
    {row_stop, "Stop"},
    {row_quit, "Quit"},
    {row_graphics_settings, "Graphics settings"},
    {row_effects, "Effects"},
    {row_back, "Back"},
    {row_graphics, "Graphics"},
    {row_upscale_on_install, "Upscale textures"},
    {row_upscale_textures, "Upscale textures"},
    {row_subtitles_on_install, "Subtitles"},
    {row_subtitles_page, "Subtitles"},
    {row_edit_subtitles, "Edit subtitles"},
    {row_update_launcher, "Update the launcher"},
    {row_view_log, "View the log"},
    {row_logs, "Logs"},
};

std::string framed(const std::string& value) { return "<  " + value + "  >"; }

struct Value {
  std::string text;
  ImU32 color = theme::white;
};

Value disc_image_value(const LauncherApp& app) {
  if (app.disc_images.empty()) return {"none found: select to browse", theme::accent};
  size_t index = static_cast<size_t>(app.disc_image_index) < app.disc_images.size()
                     ? static_cast<size_t>(app.disc_image_index)
                     : 0;
  std::string name = to_utf8(app.disc_images[index].filename());
  return {app.disc_images.size() >= 2 ? framed(name) : name, theme::white};
}

bool armed(const MenuFacts& facts, MenuRow row) { return facts.armed_row == row; }

Value build_value(const LauncherApp& app, const MenuFacts& facts) {
  if (armed(facts, row_build_and_install)) {
    std::string text = std::string("select again: ") + (app.original_graphics ? "Original" : "Velarine");
    if (app.upscale_on_install) text += ", upscaled textures";
    if (app.subtitles_on_install) text += ", subtitles";
    return {text, theme::accent};
  }
  // Unknown free space is said by saying nothing of it, never as "0 GB free".
  if (!facts.free_bytes) return {"needs about 40 GB", theme::dim};
  return {"needs about 40 GB (" + format_gigabytes(*facts.free_bytes) + " free)",
          *facts.free_bytes < needed_install_bytes ? theme::warning : theme::dim};
}

Value update_value(const MenuSnapshot& snapshot, const MenuFacts& facts) {
  if (armed(facts, row_update)) return {"select again to start", theme::accent};
  switch (snapshot.check_state) {
    case check_running:
      return {"checking...", theme::dim};
    case check_failed:
      return {"couldn't check", theme::warning};
    case check_done:
      if (!facts.on_chosen_branch) return {"switch to " + snapshot.branch, theme::accent};
      if (snapshot.behind_by == 0) return {"up to date", theme::success};
      if (snapshot.behind_by < 0) return {"rebuild from GitHub", theme::dim};
      return {count_of_changes(snapshot.behind_by, "new change"), theme::accent};
    default:
      return {"", theme::dim};
  }
}

Value job_value(const MenuSnapshot& snapshot) {
  std::string text = snapshot.job_upscaling   ? "upscaling "
                     : snapshot.job_subtitles ? "making subtitles "
                     : snapshot.job_is_install ? "installing "
                                               : "updating ";
  if (snapshot.fraction >= 0.0f)
    text += std::to_string(static_cast<int>(std::clamp(snapshot.fraction, 0.0f, 1.0f) * 100.0f + 0.5f)) + "%  ";
  text += format_elapsed(snapshot.elapsed_seconds);
  return {text, theme::accent};
}

Value launcher_update_value(const MenuSnapshot& snapshot) {
  switch (snapshot.launcher_update) {
    case update_downloading:
      return {"downloading " + snapshot.launcher_version + "...", theme::dim};
    case update_ready:
      return {"starting it...", theme::dim};
    case update_failed:
      return {snapshot.launcher_error + ": select to try again", theme::warning};
    default:
      return {snapshot.launcher_version + " is out: select to update", theme::accent};
  }
}

Value tool_value(const MenuFacts& facts, MenuRow row, const char* idle_text) {
  if (armed(facts, row)) return {"select again to start", theme::accent};
  return {idle_text, theme::dim};
}

Value row_value(const LauncherApp& app, MenuRow row, const MenuSnapshot& snapshot, const MenuFacts& facts) {
  switch (row) {
    case row_disc_image:
      return disc_image_value(app);
    case row_branch:
      return {framed(snapshot.branch), theme::white};
    case row_install_to:
      return {to_utf8(app.install_dir), theme::dim};
    case row_build_and_install:
      return build_value(app, facts);
    case row_update:
      return update_value(snapshot, facts);
    case row_start_directly:
      return {app.direct_start ? "On (hold LB / View or Shift for this)" : "Off", theme::white};
    case row_stop:
      return job_value(snapshot);
    case row_effects:
    case row_subtitles_page:
      return {">", theme::white};
    case row_graphics:
      return {app.original_graphics ? "< Original (as on the Xbox 360) >" : "< Velarine (new effects, 60 fps) >",
              theme::white};
    case row_upscale_on_install:
      return {app.upscale_on_install ? "< Yes, after the build >" : "< No >", theme::white};
    case row_upscale_textures:
      return tool_value(facts, row, "menus, HUD, loading screens (Real-ESRGAN, 4x)");
    case row_subtitles_on_install:
      return {app.subtitles_on_install ? "< Yes, made after the build >" : "< No >", theme::white};
    case row_make_subtitles:
      return tool_value(
          facts, row,
          facts.subtitles_exist ? "keeps what's corrected by hand" : "speech recognition on this PC, offline");
    case row_edit_subtitles:
      return facts.subtitles_exist ? Value{">", theme::white} : Value{"none made yet", theme::dim};
    case row_update_launcher:
      return launcher_update_value(snapshot);
    case row_view_log:
      return {to_utf8(snapshot.log_path.filename()), theme::dim};
    case row_logs:
      return {">", theme::white};
    default:
      return {"", theme::white};
  }
}

}  // namespace

std::string row_label(MenuRow row, const MenuFacts& facts) {
  if (row == row_branch) return facts.installed ? "Update branch" : "Branch";
  if (row == row_make_subtitles) return facts.subtitles_exist ? "Make again" : "Make subtitles";
  for (const RowLabel& entry : row_labels)
    if (entry.row == row) return entry.label;
  return "";
}

std::string count_of_changes(int64_t n, const char* noun) {
  return std::to_string(n) + " " + noun + (n == 1 ? "" : "s");
}

std::string format_elapsed(int64_t seconds) {
  if (seconds < 0) seconds = 0;
  char text[32];
  long long h = seconds / 3600, m = seconds / 60 % 60, s = seconds % 60;
  if (h > 0) {
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", h, m, s);
  } else {
    std::snprintf(text, sizeof text, "%lld:%02lld", m, s);
  }
  return text;
}

std::vector<MenuRowView> build_row_views(const LauncherApp& app, const std::vector<MenuRow>& rows,
                                         const MenuSnapshot& snapshot, const MenuFacts& facts) {
  std::vector<MenuRowView> views;
  views.reserve(rows.size());
  for (MenuRow row : rows) {
    MenuRowView view;
    view.id = row;
    if (is_setting_row(row)) {
      SettingRowView setting = setting_row_view(app, row);
      view.label = setting.label;
      view.value = setting.value;
      view.value_color = setting.value_color;
    } else if (is_log_row(row) && log_index(row) < app.logs.entries.size()) {
      const LogEntry& entry = app.logs.entries[log_index(row)];
      view.label = entry.title();
      view.value = log_row_value(entry);
      view.value_color = ending_color(entry.ending.kind);
      view.keep_value_start = true;
    } else {
      view.label = row_label(row, facts);
      Value value = row_value(app, row, snapshot, facts);
      view.value = std::move(value.text);
      view.value_color = value.color;
      if (row == row_stop) view.fraction = snapshot.fraction;
    }
    views.push_back(std::move(view));
  }
  return views;
}

}  // namespace korvix
