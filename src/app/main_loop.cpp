#include "app/main_loop.h"

#include <SDL3/SDL.h>
#include <imgui.h>
#include <imgui_impl_sdl3.h>
#include <imgui_impl_sdlrenderer3.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "app/dispatch.h"
#include "app/editor_shell.h"
#include "app/fonts.h"
#include "app/frame_pacing.h"
#include "app/input.h"
#include "app/launcher_app.h"
#include "app/redraw_gate.h"
#include "app/start_failure.h"
#include "app/test_hooks.h"
#include "editor/subtitle_editor.h"
#include "menu/banner_view.h"
#include "menu/draw_log_screen.h"
#include "menu/draw_menu.h"
#include "menu/title_banner.h"
#include "ui/frame_changes.h"
#include "ui/scale.h"

namespace korvix {

namespace {

bool is_display_change(Uint32 type) {
  switch (type) {
    case SDL_EVENT_WINDOW_RESIZED:
    case SDL_EVENT_WINDOW_PIXEL_SIZE_CHANGED:
    case SDL_EVENT_WINDOW_MAXIMIZED:
    case SDL_EVENT_WINDOW_RESTORED:
    case SDL_EVENT_WINDOW_ENTER_FULLSCREEN:
    case SDL_EVENT_WINDOW_LEAVE_FULLSCREEN:
    case SDL_EVENT_RENDER_TARGETS_RESET:
    case SDL_EVENT_RENDER_DEVICE_RESET:
      return true;
    default:
      return false;
  }
}

// Events after which the picture on screen may be gone or stale.
bool asks_for_redraw(Uint32 type) {
  switch (type) {
    case SDL_EVENT_WINDOW_EXPOSED:
    case SDL_EVENT_WINDOW_SHOWN:
    case SDL_EVENT_WINDOW_DISPLAY_CHANGED:
    case SDL_EVENT_WINDOW_DISPLAY_SCALE_CHANGED:
      return true;
    default:
      return is_display_change(type);
  }
}

float display_refresh_rate(SDL_Window* window) {
  const SDL_DisplayMode* mode = SDL_GetCurrentDisplayMode(SDL_GetDisplayForWindow(window));
  return mode ? mode->refresh_rate : 0.0f;
}

void save_screenshot(SDL_Renderer* renderer, const std::string& path) {
  SDL_Surface* pixels = SDL_RenderReadPixels(renderer, nullptr);
  if (!pixels) return;
  SDL_SaveBMP(pixels, path.c_str());
  SDL_DestroySurface(pixels);
}

// The window, renderer and interface library; torn down in reverse order.
struct Frontend {
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  bool imgui_ready = false;
  ImFont* font = nullptr;
  std::vector<SDL_Gamepad*> gamepads;
};

constexpr int first_window_width = 1280;
constexpr int first_window_height = 760;

// `banner_start` is waited for only once the window and renderer exist.
int create_frontend(LauncherApp& app, Frontend& frontend, std::future<BannerStart>& banner_start) {
  frontend.window = SDL_CreateWindow("Korvix Velarine", first_window_width, first_window_height,
                                     SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIGH_PIXEL_DENSITY);
  if (!frontend.window) {
    report_start_failure(std::string("SDL_CreateWindow failed: ") + SDL_GetError());
    return 1;
  }
  frontend.renderer = SDL_CreateRenderer(frontend.window, nullptr);
  if (!frontend.renderer) {
    SDL_HideWindow(frontend.window);  // an empty window would stand behind the message
    report_start_failure(std::string("SDL_CreateRenderer failed: ") + SDL_GetError());
    return 1;
  }
  // SDL takes the first of its renderers that can be made (on Windows Direct3D 11,
  // then OpenGL, OpenGL ES 2, Vulkan, software); a report of a slow picture starts here.
  SDL_Log("Renderer: %s", SDL_GetRendererName(frontend.renderer));
  SDL_SetRenderVSync(frontend.renderer, 1);
  app.window = frontend.window;
  app.attach_renderer(frontend.renderer, banner_start.get());

  IMGUI_CHECKVERSION();
  ImGui::CreateContext();
  ImGuiIO& io = ImGui::GetIO();
  io.IniFilename = nullptr;
  io.LogFilename = nullptr;
  frontend.font = load_font(io);
  ImGui_ImplSDL3_InitForSDLRenderer(frontend.window, frontend.renderer);
  ImGui_ImplSDLRenderer3_Init(frontend.renderer);
  frontend.imgui_ready = true;
  return 0;
}

void destroy_frontend(LauncherApp& app, Frontend& frontend) {
  app.editor->media.release();
  for (SDL_Gamepad* gamepad : frontend.gamepads) SDL_CloseGamepad(gamepad);
  frontend.gamepads.clear();
  if (frontend.imgui_ready) {
    ImGui_ImplSDLRenderer3_Shutdown();
    ImGui_ImplSDL3_Shutdown();
    ImGui::DestroyContext();
  }
  app.attach_renderer(nullptr);
  app.window = nullptr;
  if (frontend.renderer) SDL_DestroyRenderer(frontend.renderer);
  if (frontend.window) SDL_DestroyWindow(frontend.window);
}

void handle_event(const SDL_Event& event, LauncherApp& app, InputMapper& input, Frontend& frontend,
                  bool& running) {
  uint64_t now = SDL_GetTicks();
  if (is_display_change(event.type)) {
    app.on_display_change();
    return;
  }
  switch (event.type) {
    case SDL_EVENT_QUIT:
      running = false;  // the current frame still completes
      break;
    case SDL_EVENT_WINDOW_CLOSE_REQUESTED:
      // Not a quit of its own (see run_launcher): unsaved edits get a warning first.
      if (window_may_close(app)) running = false;
      break;
    case SDL_EVENT_KEY_DOWN:
      input.key_down(event.key.key, event.key.repeat, ImGui::GetIO().WantTextInput, now);
      break;
    case SDL_EVENT_KEY_UP:
      input.key_up(event.key.key);
      break;
    case SDL_EVENT_GAMEPAD_BUTTON_DOWN:
      input.button_down(static_cast<SDL_GamepadButton>(event.gbutton.button), now);
      break;
    case SDL_EVENT_GAMEPAD_BUTTON_UP:
      input.button_up(static_cast<SDL_GamepadButton>(event.gbutton.button));
      break;
    case SDL_EVENT_GAMEPAD_AXIS_MOTION:
      input.axis_motion(static_cast<SDL_GamepadAxis>(event.gaxis.axis), event.gaxis.value, now);
      break;
    case SDL_EVENT_GAMEPAD_ADDED:
      if (SDL_Gamepad* gamepad = SDL_OpenGamepad(event.gdevice.which)) frontend.gamepads.push_back(gamepad);
      break;
    default:
      break;
  }
}

void draw_screen(LauncherApp& app, ImFont* font) {
  if (app.screen == screen_editor) {
    draw_editor_screen(app, font);
  } else if (app.screen == screen_log) {
    draw_log_screen(app, font);
  } else {
    draw_menu(app, font);
  }
}

// While something moves by itself the loop keeps the display's pace: a job (its
// elapsed time, its output), the editor playing or fetching. Everything else
// changes on events or is seen within one idle wake-up.
bool moves_by_itself(const LauncherApp& app) { return app.is_busy() || editor_keeps_frames_coming(app); }

void render_frame(const Frontend& frontend, const ImGuiIO& io) {
  SDL_SetRenderScale(frontend.renderer, io.DisplayFramebufferScale.x, io.DisplayFramebufferScale.y);
  SDL_SetRenderDrawColor(frontend.renderer, 6, 10, 26, 255);
  SDL_RenderClear(frontend.renderer);
  ImGui_ImplSDLRenderer3_RenderDrawData(ImGui::GetDrawData(), frontend.renderer);
}

// For the start-up benchmark: when the first frame was on screen, on the steady
// clock, which the benchmark shares.
void report_first_frame() {
  auto now = std::chrono::steady_clock::now().time_since_epoch();
  std::printf("first_frame_steady_ns=%lld\n",
              static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
  std::fflush(stdout);
}

void main_loop(LauncherApp& app, Frontend& frontend) {
  TestHooks hooks = TestHooks::from_environment();
  InputMapper input([&app, &input](MenuAction action) { dispatch(app, action, input.repeats()); });
  RedrawGate redraw;
  ImGuiIO& io = ImGui::GetIO();
  bool running = true;
  uint64_t frame = 0;
  while (running) {
    if (app.quit) break;
    uint64_t frame_start_ns = SDL_GetTicksNS();
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
      ImGui_ImplSDL3_ProcessEvent(&event);
      if (asks_for_redraw(event.type)) redraw.force();
      handle_event(event, app, input, frontend, running);
    }
    input.repeat(SDL_GetTicks());
    // Asked before drawing: a worker that ends while this frame is drawn must
    // not let the screenshot hook save a frame that still shows it running.
    bool busy = app.is_busy();

    ImGui_ImplSDLRenderer3_NewFrame();
    ImGui_ImplSDL3_NewFrame();
    ImGui::NewFrame();
    draw_screen(app, frontend.font);
    ImGui::Render();
    if (take_frame_changed()) redraw.force();
    bool rendered = redraw.needs_present(*ImGui::GetDrawData());
    if (rendered) render_frame(frontend, io);
    ++frame;

    if (frame == 2 && hooks.open_editor) app.open_editor();
    if (std::optional<MenuAction> action = hooks.script.due(frame)) dispatch(app, *action);
    if (hooks.screenshot_due(frame, busy, SDL_GetTicks())) {
      // After a skipped frame there is nothing to read back: render this one.
      if (!rendered) render_frame(frontend, io);
      rendered = true;
      save_screenshot(frontend.renderer, *hooks.screenshot_path);
      running = false;
    }
    if (rendered) SDL_RenderPresent(frontend.renderer);
    if (frame == 1) {
      if (hooks.first_frame_bench) {
        report_first_frame();
        running = false;
      } else {
        app.start_first_checks();  // now that the window shows
      }
    }

    if (!moves_by_itself(app)) {
      SDL_WaitEventTimeout(nullptr, idle_wait_ms);
    } else if (uint64_t sleep_ns = sleep_before_next_frame_ns(frame_start_ns, SDL_GetTicksNS(),
                                                              display_refresh_rate(frontend.window))) {
      SDL_DelayNS(sleep_ns);
    }
  }
}

// The held-button test of a direct start needs the system to have seen the keys
// and gamepads: it gets a moment, asked for only when a direct start can happen.
HeldAtStart settle_and_read_held() {
  SDL_Delay(120);
  SDL_PumpEvents();
  return read_held_at_start();
}

}  // namespace

int run_launcher() {
  // The banner's first frame is made ready while SDL, the settings and the window start.
  std::future<BannerStart> banner_start =
      prepare_banner_start(static_cast<int>(banner_box(menu_scale(first_window_height)).height));
  SDL_SetHint(SDL_HINT_APP_NAME, "Korvix Velarine");
  // Closing the window must not quit past the editor's unsaved-changes warning:
  // the close request is handled by the loop instead of becoming a quit event.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  if (!SDL_Init(SDL_INIT_VIDEO | SDL_INIT_GAMEPAD | SDL_INIT_EVENTS)) {
    report_start_failure(std::string("SDL_Init failed: ") + SDL_GetError());
    return 1;
  }
  auto app = std::make_unique<LauncherApp>();
  app->start_up();
  SDL_PumpEvents();
  // Before any window: a started game ends the launcher with it; a failure
  // leaves its error in the status line of the menu that opens next.
  if (app->should_start_directly(settle_and_read_held)) app->play();

  Frontend frontend;
  int code = create_frontend(*app, frontend, banner_start);
  if (code == 0) main_loop(*app, frontend);
  destroy_frontend(*app, frontend);
  SDL_Quit();
  app.reset();
  return code;
}

}  // namespace korvix
