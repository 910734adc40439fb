// The non-drawing work of a menu frame: hand-overs from the file dialogs, the
// delayed update check, and the facts the rows are drawn from.
#pragma once

#include "menu/row_views.h"

namespace korvix {

class LauncherApp;

// Takes over what the file dialogs left in the status record.
void take_dialog_results(LauncherApp& app);

// Runs the update check that a branch change armed, once it is due.
void run_due_recheck(LauncherApp& app);

// The launcher's own update: applies a finished download once no long job runs,
// and under KORVIX_LAUNCHER_UPDATE_TEST=go starts an offered one by itself.
void run_launcher_update_steps(LauncherApp& app);

MenuFacts menu_facts(const LauncherApp& app, const std::vector<MenuRow>& rows);

// When the job the menu last saw running has failed or stopped, the selection
// moves to "View the log": the list it stood in (Stop, View the log) is gone.
void follow_job_end(LauncherApp& app, int32_t job_state, const std::vector<MenuRow>& rows);

}  // namespace korvix
