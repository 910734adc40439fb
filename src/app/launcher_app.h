// LauncherApp: the application object, one per run, owned by the entry function.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/menu_action.h"
#include "install/game_start.h"
#include "install/log_catalog.h"
#include "menu/log_view.h"
#include "menu/menu_row.h"
#include "settings/game_settings.h"
#include "state/install_record.h"
#include "state/launcher_config.h"
#include "state/launcher_status.h"
#include "subtitles/subtitles_summary.h"

struct SDL_Window;
struct SDL_Renderer;

namespace korvix {

struct BannerStart;
class TitleBanner;
struct SubtitleEditor;

enum Screen : int32_t {
  screen_main = 0,
  screen_display = 1,
  screen_effects = 2,
  screen_subtitles = 3,
  screen_editor = 4,
  screen_logs = 5,  // the list of every job's log
  screen_log = 6,   // one log, read inside the launcher
};

// Where the log screen returns to: the screen, and the row it was opened from.
struct LogScreenReturn {
  int32_t screen = screen_main;
  MenuRow row = row_quit;
  int32_t selected_row = 0;
  int32_t first_shown_row = 0;
};

// The application: its saved choices (launcher.ini) and everything of the run.
class LauncherApp : public LauncherChoices {
 public:
  LauncherApp();
  ~LauncherApp();
  LauncherApp(const LauncherApp&) = delete;
  LauncherApp& operator=(const LauncherApp&) = delete;

  // Start-up steps that read and tidy files, in their fixed order.
  void start_up();
  // The first checks against GitHub: the branch list, the launcher's release
  // and, for an install, the commit comparison. The main loop starts them once
  // the first frame is on screen, so their programs don't compete with the
  // window opening.
  void start_first_checks();

  // A job runs for real (the test-progress view doesn't count).
  bool is_busy() const;

  // Rows of the current screen and what they do (menu/).
  std::vector<MenuRow> row_list();
  void activate(MenuRow row);
  void change(MenuRow row, int direction);
  void set_screen(int32_t n);

  // Two-step confirmation of the rows that start a long job: true on the second
  // accept of the same row within 6 seconds; otherwise arms `row`, so an accept
  // on another confirmable row never starts that row's job.
  bool confirm(MenuRow row);
  // The row whose confirmation is pending, if any.
  std::optional<MenuRow> armed_row() const;

  // Background checks against GitHub: the comparison of the install with the
  // chosen branch, and the launcher's own release.
  void start_commit_check();
  void start_launcher_check();

  // The one long job (install/): install flag and kind (0 build, 1 texture
  // upscaler, 2 subtitle maker). Does nothing while a job runs.
  void start_job(bool install, int32_t kind);

  // Hides the window and starts the game; the launcher ends with the game. On
  // failure the error goes to `message` and the window comes back.
  void play();
  // Direct start at start-up: the option is on, the game is installed, and the
  // player holds neither Shift nor LB / View (`read_held` tells; tests inject it).
  bool should_start_directly(const HeldReader& read_held = read_held_at_start) const;

  // Icon, the launcher's copy in the install folder, then the desktop shortcut to
  // it; the outcome goes to `message`.
  void make_desktop_shortcut();

  // The log screen on the log at `path`, returning to the current screen and row.
  void open_log(const std::filesystem::path& path);
  void leave_log();

  // Opens the subtitle editor on the install's subtitle file: screen 4 and an
  // empty status line, or the reason it can't in `message`.
  bool open_editor();

  // save_config for a choice the player just made: a failure is not silent, or the
  // menu would show a choice the next start has lost. It puts "Couldn't save
  // launcher.ini (reason)." in the status line.
  void save_config_or_tell();

  void attach_renderer(SDL_Renderer* renderer);
  // The same with the banner's start made ahead (prepare_banner_start).
  void attach_renderer(SDL_Renderer* renderer, BannerStart&& banner_start);
  void on_display_change();

  int32_t screen = screen_main;
  GameSettings settings;  // korvix.toml of the install folder, reloaded on entering a page
  // Behind a pointer, so that only the files that show the editor see its headers.
  std::unique_ptr<SubtitleEditor> editor;
  std::shared_ptr<LauncherStatus> status;
  SDL_Window* window = nullptr;
  std::unique_ptr<TitleBanner> banner;  // null until a renderer is attached
  bool quit = false;
  int32_t selected_row = 0;
  int32_t first_shown_row = 0;  // top of the window of rows a long page shows
  double confirm_until = 0.0;
  MenuRow confirm_row = row_quit;  // the row `confirm_until` belongs to
  double recheck_at = 0.0;
  std::string message;
  SubtitlesSummaryCache subtitles_summary;  // the subtitles page's, read again when the file changes
  // The install records, read again when a file changes; the menu reads them each frame.
  mutable InstallRecordCache install_records;

  LogCatalog logs;  // the logs page's list, read on entering it
  LogView log_view;
  LogScreenReturn log_return;
  int32_t seen_job_state = job_idle;  // the job's state when the menu last drew

  // The interface clock in seconds (confirmations, delayed checks). Tests replace it.
  std::function<double()> interface_clock;

  // Set when KORVIX_LAUNCHER_TEST_PROGRESS shows the running-job view without a job.
  bool test_progress = false;

 private:
  void apply_test_progress_hook();
  void toggle_option(bool& option);
};

}  // namespace korvix
