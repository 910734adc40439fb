// The environment variables that drive the launcher in tests: scripted actions,
// the screenshot, and the editor on frame 2; and for the start-up benchmark, a
// report of the first presented frame.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/scripted_actions.h"

namespace korvix {

struct TestHooks {
  static TestHooks from_environment();

  bool open_editor = false;            // KORVIX_LAUNCHER_EDITOR
  ScriptPlayer script{{}};             // KORVIX_LAUNCHER_ACTIONS
  std::optional<std::string> screenshot_path;  // KORVIX_LAUNCHER_SCREENSHOT
  uint64_t screenshot_ms = 0;          // KORVIX_LAUNCHER_SCREENSHOT_MS
  bool first_frame_bench = false;      // KORVIX_LAUNCHER_BENCH_FIRST_FRAME

  // The screenshot is due once the script has run, the frame count is at least
  // ten per scripted action plus 30, no job runs and the clock reached its time.
  bool screenshot_due(uint64_t frame, bool busy, uint64_t now_ms) const;
};

// True when any variable of the test hooks, or of the tests alone, is set: a test
// drives the run, and nobody is there to answer a question on screen.
bool test_hooks_drive_run();

}  // namespace korvix
