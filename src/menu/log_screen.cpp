#include "menu/log_screen.h"

#include <algorithm>

#include "app/launcher_app.h"
#include "menu/menu_theme.h"
#include "platform/clipboard.h"
#include "platform/file_manager.h"
#include "platform/paths.h"

namespace korvix {

namespace {

void say(LogView& view, std::string text, bool warning = false) {
  view.message = std::move(text);
  view.message_is_warning = warning;
}

void copy_all(LogView& view) {
  std::string text;
  bool cut = false;
  if (!view.clipboard_text(clipboard_bytes_limit, text, cut)) {
    say(view, view.error(), true);
    return;
  }
  std::string error;
  if (!set_clipboard_text(text, error)) {
    say(view, "Couldn't copy the log (" + error + ").", true);
    return;
  }
  if (cut) {
    say(view, "Copied the last " + format_size(text.size()) + " of " + format_size(view.size()) +
                  ": the clipboard takes no more. Open the folder for the whole log.");
  } else {
    say(view, "Copied the whole log (" + format_size(view.size()) + ") to the clipboard.");
  }
}

void open_folder(LogView& view) {
  std::filesystem::path folder = view.path().parent_path();
  std::string error;
  if (show_folder(folder, error)) {
    say(view, "Opened " + to_utf8(folder) + " in the file manager.");
  } else {
    say(view, "Couldn't open the folder: " + error + ".", true);
  }
}

}  // namespace

void LauncherApp::open_log(const std::filesystem::path& path) {
  log_return.screen = screen;
  std::vector<MenuRow> rows = row_list();
  log_return.selected_row = selected_row;
  log_return.first_shown_row = first_shown_row;
  log_return.row = selected_row >= 0 && static_cast<size_t>(selected_row) < rows.size()
                       ? rows[static_cast<size_t>(selected_row)]
                       : row_quit;
  screen = screen_log;
  confirm_until = 0;
  log_view.selected_command = 0;
  log_view.open(path, job_log_facts(*status));
}

void LauncherApp::leave_log() {
  screen = log_return.screen;
  confirm_until = 0;
  first_shown_row = log_return.first_shown_row;
  if (screen == screen_logs) logs = list_logs(logs_folder(), job_log_facts(*status));
  // The row the log was opened from, where it still is; the list may have
  // changed meanwhile (a job that ended).
  std::vector<MenuRow> rows = row_list();
  auto found = std::find(rows.begin(), rows.end(), log_return.row);
  selected_row = found != rows.end() ? static_cast<int32_t>(found - rows.begin()) : log_return.selected_row;
}

void run_log_command(LauncherApp& app, LogCommand command) {
  LogView& view = app.log_view;
  view.message.clear();
  switch (command) {
    case LogCommand::back:
      app.leave_log();
      break;
    case LogCommand::next_error:
      view.find_error(+1);
      break;
    case LogCommand::previous_error:
      view.find_error(-1);
      break;
    case LogCommand::start:
      view.to_start();
      break;
    case LogCommand::end:
      view.to_end();
      break;
    case LogCommand::copy_all:
      copy_all(view);
      break;
    case LogCommand::open_folder:
      open_folder(view);
      break;
  }
}

void log_screen_action(LauncherApp& app, MenuAction action, int repeat) {
  LogView& view = app.log_view;
  const int count = static_cast<int>(log_commands.size());
  switch (action) {
    case MenuAction::up:
      view.scroll_by(-scroll_step(repeat));
      break;
    case MenuAction::down:
      view.scroll_by(scroll_step(repeat));
      break;
    case MenuAction::left:
      view.selected_command = (view.selected_command + count - 1) % count;
      break;
    case MenuAction::right:
      view.selected_command = (view.selected_command + 1) % count;
      break;
    case MenuAction::accept:
      run_log_command(app, log_commands[static_cast<size_t>(std::clamp(view.selected_command, 0, count - 1))].command);
      break;
    case MenuAction::back:
      app.leave_log();
      break;
    case MenuAction::none:
      break;
  }
}

ImU32 ending_color(LogEndingKind kind) {
  switch (kind) {
    case LogEndingKind::finished:
      return theme::success;
    case LogEndingKind::failed:
    case LogEndingKind::stopped:
      return theme::warning;
    case LogEndingKind::running:
      return theme::accent;
    case LogEndingKind::cut_off:
      break;
  }
  return theme::dim;
}

std::string group_digits(uint64_t number) {
  std::string digits = std::to_string(number);
  std::string grouped;
  grouped.reserve(digits.size() + digits.size() / 3);
  for (size_t at = 0; at < digits.size(); ++at) {
    if (at > 0 && (digits.size() - at) % 3 == 0) grouped.push_back(',');
    grouped.push_back(digits[at]);
  }
  return grouped;
}

std::string logs_page_subtitle(const LogCatalog& logs) {
  if (logs.file_count == 0) return "Logs";
  return "Logs: " + group_digits(logs.file_count) + (logs.file_count == 1 ? " file, " : " files, ") +
         format_size(logs.total_bytes) + " in all";
}

std::string log_row_value(const LogEntry& entry) { return format_size(entry.size) + "   " + entry.ending.describe(); }

std::vector<StatusText> logs_page_texts(const LauncherApp& app, const std::string& message) {
  std::vector<StatusText> texts;
  auto add = [&texts](std::string text, ImU32 color, bool keep_room = false) {
    texts.push_back(StatusText{StatusKind::wrapped, std::move(text), color, {}, keep_room});
  };
  if (!message.empty()) add(message, theme::accent, true);
  if (!app.logs.error.empty()) add(app.logs.error, theme::warning, true);
  if (app.logs.entries.empty()) {
    add("No logs yet: every build, update and tool run writes one here.", theme::dim);
    return texts;
  }
  if (app.selected_row >= 0 && static_cast<size_t>(app.selected_row) < app.logs.entries.size()) {
    const LogEntry& entry = app.logs.entries[static_cast<size_t>(app.selected_row)];
    add(entry.ending.describe(), ending_color(entry.ending.kind), true);
    add(to_utf8(entry.path), theme::dim);
  }
  add("The launcher never deletes a log: remove old ones from the folder when it grows too big (Open the folder, "
      "on a log's screen). Left / Right jump ten logs.",
      theme::dim);
  return texts;
}

}  // namespace korvix
