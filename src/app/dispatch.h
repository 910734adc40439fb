// Delivering one menu action to the current screen's rows.
#pragma once

#include "app/menu_action.h"

namespace korvix {

class LauncherApp;

// `repeat` counts the repeats of a held up or down before this one (0 for a
// press): the log screen scrolls faster the longer it is held.
void dispatch(LauncherApp& app, MenuAction action, int repeat = 0);

}  // namespace korvix
