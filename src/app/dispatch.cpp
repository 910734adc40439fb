#include "app/dispatch.h"

#include <algorithm>

#include "app/editor_shell.h"
#include "app/launcher_app.h"
#include "menu/log_screen.h"

namespace korvix {

void dispatch(LauncherApp& app, MenuAction action, int repeat) {
  if (app.screen == screen_editor) {
    // The editor reads its own keys; only back is the menu's, and leaves it.
    if (action == MenuAction::back) leave_editor(app);
    return;
  }
  if (app.screen == screen_log) {
    log_screen_action(app, action, repeat);
    return;
  }
  std::vector<MenuRow> rows = app.row_list();
  if (rows.empty()) return;
  int count = static_cast<int>(rows.size());
  app.selected_row = std::clamp(app.selected_row, 0, count - 1);
  MenuRow selected = rows[static_cast<size_t>(app.selected_row)];
  switch (action) {
    case MenuAction::up:
      app.selected_row = (app.selected_row + count - 1) % count;
      app.confirm_until = 0;
      break;
    case MenuAction::down:
      app.selected_row = (app.selected_row + 1) % count;
      app.confirm_until = 0;
      break;
    case MenuAction::left:
      app.change(selected, -1);
      break;
    case MenuAction::right:
      app.change(selected, +1);
      break;
    case MenuAction::accept:
      app.activate(selected);
      break;
    case MenuAction::back:
      // "Back" works on every page, listed or not; the main menu has nothing to go back to.
      if (app.screen != screen_main) app.activate(row_back);
      break;
    case MenuAction::none:
      break;
  }
}

}  // namespace korvix
