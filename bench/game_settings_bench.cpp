// One change of a setting in a 2,000-line korvix.toml: parse, rewrite, save.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "settings/game_settings.h"
#include "settings/setting_schema.h"
#include "settings/setting_line.h"

namespace {

namespace fs = std::filesystem;

fs::path make_settings_file() {
  fs::path path = fs::temp_directory_path() / "korvix-settings-bench.toml";
  std::ofstream out(path, std::ios::binary);
  out << "# settings of the game\r\n[graphics]\r\n";
  for (int i = 0; i < 2000; ++i) out << "option_" << i << " = " << i << "  # note\r\n";
  out << "frame_rate_limit = \"60\"\r\n";
  return path;
}

// load + set, as a settings page does on entering and then on one key press.
void BM_LoadAndSet(benchmark::State& state) {
  fs::path path = make_settings_file();
  const korvix::SettingSpec& frame_rate = *korvix::find_setting(korvix::graphics_settings(), "frame_rate_limit");
  korvix::GameSettings settings;
  bool ok = true;
  for (auto _ : state) {
    settings.load(path);
    ok &= settings.step_value(frame_rate, +1);
  }
  if (!ok) state.SkipWithError("the save failed");
  fs::remove(path);
}
BENCHMARK(BM_LoadAndSet)->Unit(benchmark::kMillisecond);

// The parse and rewrite alone, without the disk: every line through the parser.
void BM_ParseAllLines(benchmark::State& state) {
  fs::path path = make_settings_file();
  korvix::GameSettings settings;
  settings.load(path);
  for (auto _ : state) {
    size_t found = 0;
    for (const std::string& line : settings.lines()) found += korvix::parse_setting_line(line).found;
    benchmark::DoNotOptimize(found);
  }
  fs::remove(path);
}
BENCHMARK(BM_ParseAllLines)->Unit(benchmark::kMillisecond);

}  // namespace
