#include "app/editor_shell.h"

#include <SDL3/SDL.h>

#include "app/launcher_app.h"
#include "editor/draw_editor.h"
#include "editor/subtitle_editor.h"
#include "platform/environment.h"
#include "ui/scale.h"

namespace korvix {

namespace {

float editor_scale_now(const LauncherApp& app) {
  static const std::optional<std::string> scale_override = env_var("KORVIX_EDITOR_SCALE");
  float display_scale = app.window ? SDL_GetWindowDisplayScale(app.window) : 0.0f;
  float pixel_density = app.window ? SDL_GetWindowPixelDensity(app.window) : 0.0f;
  return editor_scale(display_scale, pixel_density, app.editor->document.view.text_scale, scale_override);
}

}  // namespace

bool LauncherApp::open_editor() {
  std::string error;
  if (!editor->open(install_dir, source_dir, error)) {
    message = error;
    return false;
  }
  screen = screen_editor;
  confirm_until = 0;
  message.clear();
  return true;
}

void draw_editor_screen(LauncherApp& app, ImFont* font) {
  if (draw_editor(*app.editor, editor_scale_now(app), font)) app.set_screen(screen_subtitles);
}

void leave_editor(LauncherApp& app) {
  // Escape and the gamepad's B close an open menu or panel first, then the replace row.
  if (app.editor->screen.popup_open) {
    app.editor->screen.close_popups = true;
    return;
  }
  if (app.editor->screen.find.replace_open) {
    app.editor->screen.find.close_replace_row();
    return;
  }
  if (app.editor->document.try_leave()) app.set_screen(screen_subtitles);
}

bool window_may_close(LauncherApp& app) {
  return app.screen != screen_editor || app.editor->document.try_close_window();
}

bool editor_keeps_frames_coming(const LauncherApp& app) {
  return app.screen == screen_editor && app.editor->media.keeps_frames_coming();
}

}  // namespace korvix
