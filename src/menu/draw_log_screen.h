// Drawing of the log screen.
#pragma once

struct ImFont;

namespace korvix {

class LauncherApp;

// One frame of the log screen; also takes in the log's new lines, the keys and
// the mouse wheel that only this screen reads.
void draw_log_screen(LauncherApp& app, ImFont* font);

}  // namespace korvix
