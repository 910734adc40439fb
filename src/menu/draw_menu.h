// Drawing of the menu screens.
#pragma once

struct ImFont;

namespace korvix {

class LauncherApp;

void draw_menu(LauncherApp& app, ImFont* font);

}  // namespace korvix
