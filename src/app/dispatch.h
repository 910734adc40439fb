// Delivering one menu action to the current screen's rows.
#pragma once

#include "app/menu_action.h"

namespace korvix {

class LauncherApp;

void dispatch(LauncherApp& app, MenuAction action);

}  // namespace korvix
