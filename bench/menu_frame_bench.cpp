// CPU cost of one menu frame, headless: building the rows and texts and
// drawing them into ImGui's draw lists (no rendering).
#include <benchmark/benchmark.h>

#include <fstream>
#include <mutex>
#include <string>

#include "headless_menu.h"

namespace {

using korvix::bench::HeadlessMenu;

void BM_InstalledMainMenu(benchmark::State& state) {
  HeadlessMenu menu;
  for (auto _ : state) menu.frame();
}
BENCHMARK(BM_InstalledMainMenu)->Unit(benchmark::kMicrosecond);

void BM_EffectsPage(benchmark::State& state) {
  HeadlessMenu menu;
  menu.app.set_screen(korvix::screen_effects);
  for (auto _ : state) menu.frame();
}
BENCHMARK(BM_EffectsPage)->Unit(benchmark::kMicrosecond);

// Long texts, as a damaged file or a hostile server may give them: a frame must
// cost about what a normal one does (goal: within twice the same frame with an
// ordinary text, BM_InstalledMainMenu or, for the message, one that fills the
// status area).
std::string megabyte_text(const char* piece) {
  std::string text;
  while (text.size() < 1024 * 1024) text += piece;
  return text;
}

void BM_MainMenuWithMegabyteBranch(benchmark::State& state) {
  HeadlessMenu menu;
  {
    std::lock_guard lock(menu.app.status->mutex);
    menu.app.status->branches.push_back(megabyte_text("feature/"));
    menu.app.status->branch_index = static_cast<int32_t>(menu.app.status->branches.size()) - 1;
  }
  for (auto _ : state) menu.frame();
}
BENCHMARK(BM_MainMenuWithMegabyteBranch)->Unit(benchmark::kMicrosecond);

// A message that fills the status area: the frame a megabyte one compares with.
void BM_MainMenuWithScreenfulMessage(benchmark::State& state) {
  HeadlessMenu menu;
  menu.app.message = megabyte_text("words of a long message ").substr(0, 8 * 1024);
  for (auto _ : state) menu.frame();
}
BENCHMARK(BM_MainMenuWithScreenfulMessage)->Unit(benchmark::kMicrosecond);

void BM_MainMenuWithMegabyteMessage(benchmark::State& state) {
  HeadlessMenu menu;
  menu.app.message = megabyte_text("words of a long message ");
  for (auto _ : state) menu.frame();
}
BENCHMARK(BM_MainMenuWithMegabyteMessage)->Unit(benchmark::kMicrosecond);

void BM_DisplayPageWithMegabyteValue(benchmark::State& state) {
  HeadlessMenu menu;
  std::ofstream(menu.folder / "korvix.toml", std::ios::binary)
      << "frame_rate_limit = \"" << megabyte_text("9") << "\"\r\n";
  menu.app.set_screen(korvix::screen_display);
  for (auto _ : state) menu.frame();
}
BENCHMARK(BM_DisplayPageWithMegabyteValue)->Unit(benchmark::kMicrosecond);

}  // namespace
