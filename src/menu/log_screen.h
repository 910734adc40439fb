// The log screen and the logs page in the launcher: opening and leaving a log,
// what the six actions and the commands do there, and what the logs page
// shows. Drawing is draw_log_screen's; the view itself is LogView.
#pragma once

#include <imgui.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/menu_action.h"
#include "install/log_catalog.h"
#include "menu/log_view.h"
#include "menu/status_area.h"

namespace korvix {

class LauncherApp;

// "Copy all" puts at most this much on the clipboard: the end of a longer log.
inline constexpr uint64_t clipboard_bytes_limit = uint64_t{32} << 20;

// An action on the log screen: up and down scroll (faster the longer they are
// held: `repeat`), left and right choose a command, accept runs it, back leaves.
void log_screen_action(LauncherApp& app, MenuAction action, int repeat);
void run_log_command(LauncherApp& app, LogCommand command);

// The menu colour an ending is told in.
ImU32 ending_color(LogEndingKind kind);

// "1,234,567"
std::string group_digits(uint64_t number);

// The line over the logs page's rows: how many logs the folder holds, and their size.
std::string logs_page_subtitle(const LogCatalog& logs);
// The value of a log's row on the logs page: its size and how its job ended.
std::string log_row_value(const LogEntry& entry);
// The status area of the logs page: the message, the selected log's whole
// ending and path, and a word on the folder.
std::vector<StatusText> logs_page_texts(const LauncherApp& app, const std::string& message);

}  // namespace korvix
