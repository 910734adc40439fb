// CPU cost of one subtitle-editor frame, headless, on a large file: 10,000
// clips in 50 groups (all open) with 50,000 lines. The list lays out only the
// rows on screen, so the frame should cost about what a short file costs.
#include <benchmark/benchmark.h>

#include <imgui.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "headless_menu.h"
#include "editor/draw_editor.h"
#include "editor/subtitle_editor.h"
#include "subtitles/subtitle_file.h"
#include "subtitles/subtitle_paths.h"

namespace {

namespace fs = std::filesystem;

constexpr int clip_count = 10000;
constexpr int group_count = 50;
constexpr int lines_per_clip = 5;

void write_file(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

struct HeadlessEditor {
  HeadlessEditor() {
    folder = fs::temp_directory_path() / "korvix-editor-bench";
    fs::remove_all(folder);
    std::vector<korvix::SubtitleClip> clips;
    std::string groups = "korvix-subtitle-groups 1\n";
    for (int g = 0; g < group_count; ++g) groups += "group 1 Group " + std::to_string(g + 1) + "\n" + "@" + std::to_string(g) + "\n";
    clips.reserve(clip_count);
    std::vector<std::string> members(group_count);
    for (int c = 0; c < clip_count; ++c) {
      korvix::SubtitleClip clip;
      clip.kind = static_cast<korvix::ClipKind>(c % 3);
      clip.source = "vo/area_" + std::to_string(c % group_count) + "/line_" + std::to_string(c);
      clip.keys.push_back({static_cast<uint32_t>(c + 1), 0xabcdefull + static_cast<uint64_t>(c)});
      clip.length_ms = 12000;
      clip.edited = c % 7 == 0;
      for (int l = 0; l < lines_per_clip; ++l) {
        clip.lines.push_back({static_cast<uint32_t>(l * 2000), static_cast<uint32_t>(l * 2000 + 1800),
                              "Line " + std::to_string(l) + " of clip " + std::to_string(c) + ", words to read.", l});
      }
      members[static_cast<size_t>(c % group_count)] += clip.source + "\n";
      clips.push_back(std::move(clip));
    }
    for (int g = 0; g < group_count; ++g) {
      std::string marker = "@" + std::to_string(g) + "\n";
      groups.replace(groups.find(marker), marker.size(), members[static_cast<size_t>(g)]);
    }
    write_file(korvix::subtitle_file_path(folder), korvix::write_subtitles(clips, ""));
    write_file(korvix::groups_file_path(folder), groups + "ungrouped 1\n");

    font = korvix::bench::start_headless_context();
    std::string error;
    if (!editor.open(folder, folder / "maker", error)) throw std::runtime_error(error);
    // The middle of the list is selected, and it is scrolled there.
    editor.document.select_clip(clip_count / 2);
    editor.screen.scroll_list_to_selection = true;
    frame();
  }
  ~HeadlessEditor() {
    ImGui::DestroyContext();
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
  void frame() {
    ImGui::NewFrame();
    korvix::draw_editor(editor, 1.0f, font);
    ImGui::Render();
  }
  fs::path folder;
  ImFont* font = nullptr;
  korvix::SubtitleEditor editor;
};

void BM_EditorFrame10000Clips50Groups(benchmark::State& state) {
  HeadlessEditor editor;
  for (auto _ : state) editor.frame();
  state.counters["list_builds"] = static_cast<double>(editor.editor.screen.list.builds());
}
BENCHMARK(BM_EditorFrame10000Clips50Groups)->Unit(benchmark::kMicrosecond);

// The same frame while the list model is built again every frame (a filter or
// the groups changing): the worst case of a frame that changes the list.
void BM_EditorFrameRebuildingTheList(benchmark::State& state) {
  HeadlessEditor editor;
  for (auto _ : state) {
    editor.editor.screen.list.invalidate();
    editor.frame();
  }
}
BENCHMARK(BM_EditorFrameRebuildingTheList)->Unit(benchmark::kMicrosecond);

}  // namespace
