// Find and replace on a whole game's subtitles: 10,000 clips in 50 groups,
// 50,000 lines. What one keystroke in the search costs while the replace row
// is open (the list filtered again and every match counted), and "Replace
// all" of 5,000 matches (one undo step of 5,000 clips).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "editor/document/editor_document.h"
#include "editor/screen/editor_screen.h"
#include "subtitles/subtitle_file.h"
#include "subtitles/subtitle_paths.h"

namespace {

namespace fs = std::filesystem;

constexpr int clip_count = 10000;
constexpr int group_count = 50;
constexpr int lines_per_clip = 5;

// Words of a usual length; one line in each of half the clips names Ulm:
// 5,000 matches of "Ulm" in 5,000 clips.
std::vector<korvix::SubtitleClip> game_clips() {
  std::vector<korvix::SubtitleClip> clips(clip_count);
  for (int c = 0; c < clip_count; ++c) {
    korvix::SubtitleClip& clip = clips[static_cast<size_t>(c)];
    clip.kind = static_cast<korvix::ClipKind>(c % 3);
    clip.source = "vo/area_" + std::to_string(c % group_count) + "/line_" + std::to_string(c);
    clip.keys.push_back({static_cast<uint32_t>(c + 1), 0xabcdefull + static_cast<uint64_t>(c)});
    clip.length_ms = 12000;
    if (c % 3 == 0) clip.names = {"Captain", "Mara"};
    for (int l = 0; l < lines_per_clip; ++l) {
      std::string words = (c + l) % 10 == 0 ? "Captain Ulm, the tide won't wait for us."
                                            : "The tide won't wait for us, so gather the nets and row.";
      clip.lines.push_back({static_cast<uint32_t>(l * 2000), static_cast<uint32_t>(l * 2000 + 1800), words, l % 2});
    }
  }
  return clips;
}

struct OpenDocument {
  OpenDocument() {
    folder = fs::temp_directory_path() / "korvix-find-bench";
    fs::remove_all(folder);
    std::vector<korvix::SubtitleClip> clips = game_clips();
    std::string groups = "korvix-subtitle-groups 1\n";
    for (int g = 0; g < group_count; ++g) {
      groups += "group 1 Group " + std::to_string(g + 1) + "\n";
      for (int c = g; c < clip_count; c += group_count) groups += clips[static_cast<size_t>(c)].source + "\n";
    }
    write(korvix::subtitle_file_path(folder), korvix::write_subtitles(clips, ""));
    write(korvix::groups_file_path(folder), groups + "ungrouped 1\n");
    std::string error;
    if (!document.open(folder, folder / "maker", error)) throw std::runtime_error(error);
  }
  ~OpenDocument() {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
  static void write(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
  }
  fs::path folder;
  korvix::EditorDocument document;
};

// A keystroke changes the search: the list is built again with every clip's
// matches counted. The argument picks the search and its options.
struct Keystroke {
  const char* search;
  korvix::FindOptions options;
};
constexpr Keystroke keystrokes[] = {
    {"t", {}},                     // one letter: a match in nearly every line
    {"tide", {}},                  // a word in every line
    {"ulm", {false, true, true}},  // whole words and names
    {"Ulm", {true, false, false}},
};

void BM_CountAfterAKeystroke(benchmark::State& state) {
  OpenDocument open;
  const Keystroke& key = keystrokes[state.range(0)];
  korvix::ClipListCache list;
  size_t matches = 0;
  for (auto _ : state) {
    list.invalidate();
    matches = list.get(open.document, korvix::ClipFilter::all, key.search, key.options).match_total;
  }
  state.SetLabel(std::string(key.search) + ": " + std::to_string(matches) + " matches");
}
BENCHMARK(BM_CountAfterAKeystroke)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// "Replace all" of 5,000 matches in 5,000 clips; its undo (not timed) puts them back.
void BM_ReplaceAll5000Matches(benchmark::State& state) {
  OpenDocument open;
  korvix::ClipListCache list;
  const korvix::TextFinder finder("Ulm", {true, true, false});
  const std::vector<int32_t> order =
      list.get(open.document, korvix::ClipFilter::all, "Ulm", finder.options()).listed_order;
  size_t replaced = 0;
  std::string said;
  for (auto _ : state) {
    replaced = open.document.replace_all(order, finder, "Orm").replaced;
    state.PauseTiming();
    said = open.document.status;
    open.document.undo();
    state.ResumeTiming();
  }
  if (replaced != 5000) state.SkipWithError("expected 5,000 matches");
  state.SetLabel(said);
}
BENCHMARK(BM_ReplaceAll5000Matches)->Unit(benchmark::kMillisecond);

}  // namespace
