// The subtitle editor in the launcher's shell: screen 4's frame, Back, the
// window's close request, and the editor's share of the main loop's pacing.
// (Opening it is LauncherApp::open_editor.)
#pragma once

struct ImFont;

namespace korvix {

class LauncherApp;

// Screen 4: the editor at its scale; back to the subtitles page when it is left.
void draw_editor_screen(LauncherApp& app, ImFont* font);

// The menu's back action (Escape, Backspace, gamepad B) on the editor screen.
void leave_editor(LauncherApp& app);

// The window asks to close. With unsaved edits in the editor the first request
// warns and stays; another within 5 seconds closes.
bool window_may_close(LauncherApp& app);

// The editor plays or fetches on its screen: frames keep coming without idle waits.
bool editor_keeps_frames_coming(const LauncherApp& app);

}  // namespace korvix
