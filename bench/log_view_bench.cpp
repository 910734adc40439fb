// A 200 MB build log on the log screen: opening it (at its end, or at its first
// error when the job failed, that error being near the end), a scrolled frame's
// lines, and a search for an error across the whole file; with the memory the
// view holds for it. The file is read once before timing, so it is in the
// system's cache, as a log just written is.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "install/log_catalog.h"
#include "menu/log_view.h"

namespace {

namespace fs = std::filesystem;

constexpr uint64_t log_bytes = 200'000'000;

fs::path bench_folder() { return fs::temp_directory_path() / "korvix-log-bench"; }

// The logs are made once a run and removed at its end: 400 MB aren't left behind.
struct RemovedAtExit {
  ~RemovedAtExit() {
    std::error_code ignored;
    fs::remove_all(bench_folder(), ignored);
  }
} removed_at_exit;

// Ninja's progress lines with a compiler warning now and then, like a long
// build's log; `failing` ends it the way a failed build does.
fs::path make_log(const char* name, bool failing) {
  fs::path path = bench_folder() / name;
  std::error_code error;
  if (uint64_t size = fs::file_size(path, error); !error && size >= log_bytes) return path;
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  std::string line;
  uint64_t written = 0;
  for (uint64_t i = 1; written < log_bytes; ++i) {
    line.assign(1, '[');
    line.append(std::to_string(i)).append("/2400000] Building CXX object src/CMakeFiles/korvix.dir/game/part_");
    line.append(std::to_string(i % 9973)).append(".cpp.obj\n");
    if (i % 50000 == 0) line += "src/game/part.cpp(88): warning C4244: 'argument': conversion, possible loss\n";
    out << line;
    written += line.size();
  }
  if (failing) out << "src/game/last.cpp(12): error C2065: 'x': undeclared identifier\nFailed: The build failed.\n";
  else out << "Finished.\n";
  out.close();
  return path;
}

// Reads the file once, so the timed opens find it in the system's cache.
void warm(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::string chunk(1 << 20, '\0');
  while (in.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || in.gcount() > 0) {
  }
}

// Resident and peak resident size of this process in bytes (Linux; 0 elsewhere).
uint64_t status_kb(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string word;
  while (status >> word)
    if (word == key) {
      uint64_t kb = 0;
      status >> kb;
      return kb * 1024;
    }
  return 0;
}
void reset_peak() { std::ofstream("/proc/self/clear_refs") << "5"; }

void open_log(benchmark::State& state, bool failing) {
  fs::path path = make_log(failing ? "install_20260101-120000.log" : "update_20260101-120000.log", failing);
  warm(path);
  uint64_t held = 0;
  uint64_t peak_growth = 0;
  for (auto _ : state) {
    state.PauseTiming();
    uint64_t before = status_kb("VmRSS:");
    reset_peak();
    state.ResumeTiming();
    {
      korvix::LogView view;
      view.set_page_lines(24);
      view.open(path, {});
      benchmark::DoNotOptimize(view.shown_lines().data());
      state.PauseTiming();
      held = view.memory_bytes();
      peak_growth = status_kb("VmHWM:") - before;
      state.ResumeTiming();
    }
  }
  state.counters["held_MB"] = static_cast<double>(held) / 1e6;
  state.counters["peak_growth_MB"] = static_cast<double>(peak_growth) / 1e6;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * log_bytes));
}

void BM_Open200MBLogAtItsEnd(benchmark::State& state) { open_log(state, false); }
BENCHMARK(BM_Open200MBLogAtItsEnd)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_Open200MBFailedLogAtItsFirstError(benchmark::State& state) { open_log(state, true); }
BENCHMARK(BM_Open200MBFailedLogAtItsFirstError)->Unit(benchmark::kMillisecond)->Iterations(5);

// Each frame of a held Down at full speed: a new top, a page of lines read.
void BM_ScrolledFrameOf200MBLog(benchmark::State& state) {
  fs::path path = make_log("update_20260101-120000.log", false);
  korvix::LogView view;
  view.set_page_lines(24);
  view.open(path, {});
  view.to_start();
  for (auto _ : state) {
    view.scroll_by(64);
    if (view.at_end()) view.to_start();
    benchmark::DoNotOptimize(view.shown_lines().data());
  }
}
BENCHMARK(BM_ScrolledFrameOf200MBLog)->Unit(benchmark::kMicrosecond);

// "Previous error" from the end with none before the warnings: the whole file read backwards.
void BM_PreviousErrorAcross200MBLog(benchmark::State& state) {
  fs::path path = make_log("update_20260101-120000.log", false);
  warm(path);
  korvix::LogView view;
  view.set_page_lines(24);
  view.open(path, {});
  for (auto _ : state) {
    view.to_end();
    view.find_error(-1);
    benchmark::DoNotOptimize(view.message.data());
  }
}
BENCHMARK(BM_PreviousErrorAcross200MBLog)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
