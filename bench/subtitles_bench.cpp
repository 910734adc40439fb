// The subtitle file at the size of a whole game's subtitles, 50,000 lines:
// reading it, its summary, and a frame of the subtitles page that shows it.
#include <benchmark/benchmark.h>

#include "headless_menu.h"
#include "platform/file_read.h"
#include "subtitles/subtitle_file.h"
#include "subtitles/subtitle_paths.h"
#include "subtitles/subtitles_summary.h"

namespace {

using korvix::bench::HeadlessMenu;

constexpr uint32_t line_count = 50000;
constexpr uint32_t clip_count = 10000;

// Five lines a clip, a movie every fiftieth clip, names on some, words of a
// usual length.
std::string big_file() {
  std::vector<korvix::SubtitleClip> clips(clip_count);
  for (uint32_t i = 0; i < clip_count; ++i) {
    korvix::SubtitleClip& clip = clips[i];
    clip.kind = i % 50 == 49 ? korvix::ClipKind::video : korvix::ClipKind::speech;
    clip.edited = i % 7 == 0;
    clip.length_ms = 9000;
    clip.bytes = 793800;
    clip.keys = {{i + 1, 0x9e3779b97f4a7c15ull * (i + 1)}};
    clip.source = "vo/act" + std::to_string(i / 1000) + "/scene_" + std::to_string(i);
    if (i % 3 == 0) clip.names = {"Captain Ulm", "Mara"};
  }
  for (uint32_t n = 0; n < line_count; ++n) {
    korvix::SubtitleClip& clip = clips[n % clip_count];
    uint32_t start = static_cast<uint32_t>(clip.lines.size()) * 1800;
    clip.lines.push_back(
        {start, start + 1700, "The tide won't wait for us, so gather the nets and row.", static_cast<int32_t>(n % 2)});
  }
  return korvix::write_subtitles(clips, "# generated for the benchmark\n");
}

struct InstallWithSubtitles : HeadlessMenu {
  InstallWithSubtitles() {
    std::filesystem::path file = korvix::subtitle_file_path(folder);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << big_file();
  }
};

void BM_ReadSubtitles50000Lines(benchmark::State& state) {
  std::string content = big_file();
  std::vector<korvix::SubtitleClip> clips;
  for (auto _ : state) {
    korvix::read_subtitles(content, clips);
    benchmark::DoNotOptimize(clips.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * content.size()));
}
BENCHMARK(BM_ReadSubtitles50000Lines)->Unit(benchmark::kMillisecond);

void BM_WriteSubtitles50000Lines(benchmark::State& state) {
  std::string content = big_file();
  std::vector<korvix::SubtitleClip> clips;
  korvix::read_subtitles(content, clips);
  for (auto _ : state) benchmark::DoNotOptimize(korvix::write_subtitles(clips, "").size());
}
BENCHMARK(BM_WriteSubtitles50000Lines)->Unit(benchmark::kMillisecond);

// What the summary costs when the file changed: reading it from disk and parsing.
void BM_SummaryOf50000Lines(benchmark::State& state) {
  InstallWithSubtitles install;
  for (auto _ : state) benchmark::DoNotOptimize(korvix::subtitles_summary(install.folder).size());
  state.SetLabel(korvix::subtitles_summary(install.folder));
}
BENCHMARK(BM_SummaryOf50000Lines)->Unit(benchmark::kMillisecond);

// What it costs in every other frame.
void BM_CachedSummaryOf50000Lines(benchmark::State& state) {
  InstallWithSubtitles install;
  korvix::SubtitlesSummaryCache cache;
  for (auto _ : state) benchmark::DoNotOptimize(cache.get(install.folder).size());
}
BENCHMARK(BM_CachedSummaryOf50000Lines)->Unit(benchmark::kMicrosecond);

void BM_SubtitlesPageFrameWith50000Lines(benchmark::State& state) {
  InstallWithSubtitles install;
  install.app.set_screen(korvix::screen_subtitles);
  install.frame();  // the first frame reads the file
  for (auto _ : state) install.frame();
}
BENCHMARK(BM_SubtitlesPageFrameWith50000Lines)->Unit(benchmark::kMicrosecond);

}  // namespace
