#include "app/test_hooks.h"

#include <cstdlib>

#include "platform/environment.h"

namespace korvix {

namespace {

constexpr const char* test_variables[] = {
    "KORVIX_LAUNCHER_ACTIONS",
    "KORVIX_LAUNCHER_EDITOR",
    "KORVIX_LAUNCHER_SCREENSHOT",
    "KORVIX_LAUNCHER_SCREENSHOT_MS",
    "KORVIX_LAUNCHER_TEST_PROGRESS",
    "KORVIX_LAUNCHER_UPDATE_TEST",
    "KORVIX_EDITOR_SEEK",
    "KORVIX_LAUNCHER_API_BASE",
    "KORVIX_LAUNCHER_ARCHIVE_BASE",
    "KORVIX_LAUNCHER_BENCH_FIRST_FRAME",
};

}  // namespace

bool test_hooks_drive_run() {
  for (const char* name : test_variables)
    if (env_is_set(name)) return true;
  return false;
}

TestHooks TestHooks::from_environment() {
  TestHooks hooks;
  hooks.open_editor = env_is_set("KORVIX_LAUNCHER_EDITOR");
  hooks.script = ScriptPlayer(parse_actions(env_or_empty("KORVIX_LAUNCHER_ACTIONS")));
  std::optional<std::string> path = env_var("KORVIX_LAUNCHER_SCREENSHOT");
  if (path && !path->empty()) hooks.screenshot_path = path;
  std::string ms = env_var("KORVIX_LAUNCHER_SCREENSHOT_MS").value_or("0");
  double value = std::strtod(ms.c_str(), nullptr);
  hooks.screenshot_ms = value > 0 ? static_cast<uint64_t>(value) : 0;
  hooks.first_frame_bench = env_is_set("KORVIX_LAUNCHER_BENCH_FIRST_FRAME");
  return hooks;
}

bool TestHooks::screenshot_due(uint64_t frame, bool busy, uint64_t now_ms) const {
  if (!screenshot_path || !script.finished() || busy) return false;
  if (frame < 10 * script.total() + 30) return false;
  return now_ms >= screenshot_ms;
}

}  // namespace korvix
