// CPU cost of one menu frame, headless: building the rows and texts and
// drawing them into ImGui's draw lists (no rendering).
#include <benchmark/benchmark.h>

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

}  // namespace
