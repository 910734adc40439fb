// KORVIX_EDITOR_SEEK over any bytes. No crash; a seek that reads has a finite
// playhead; written back as "ms,line,width" it reads the same; and applied to
// an open clip it leaves a view the timeline can draw: after fitting, a finite
// width within 300 .. the span and a start within 0 .. span − width, a picked
// line within the clip, and one scrub to a finite time of at least 0.
#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "platform/file_save.h"
#include "editor/document/editor_document.h"
#include "editor/timeline/editor_seek.h"
#include "editor/timeline/timeline_drag.h"
#include "editor/timeline/timeline_view.h"
#include "subtitles/subtitle_file.h"
#include "subtitles/subtitle_paths.h"

namespace {

struct ScrubRecorder final : korvix::Transport {
  bool playing() const override { return false; }
  void play() override {}
  void pause() override {}
  void scrub_to(double ms) override { scrubs.push_back(ms); }
  double last_scrub_ms() const override { return scrubs.empty() ? 0 : scrubs.back(); }
  bool looping() const override { return false; }
  void set_looping(bool) override {}
  void stop_playback() override {}
  void close_output() override {}
  std::vector<double> scrubs;
};

// One clip of two lines, 9 s long, opened once from the scratch folder.
korvix::EditorDocument& sample_document() {
  static korvix::EditorDocument* document = [] {
    const std::filesystem::path install = korvix::fuzz::scratch_folder() / "install";
    korvix::SubtitleClip clip;
    clip.source = "vo/intro";
    clip.keys.push_back({1, 0xab});
    clip.length_ms = 9000;
    clip.lines = {{1000, 3000, "first", 0}, {3000, 5000, "second", 1}};
    std::filesystem::create_directories(korvix::subtitle_file_path(install).parent_path());
    FUZZ_CHECK(korvix::save_file_atomically(korvix::subtitle_file_path(install), korvix::write_subtitles({clip}, "")));
    std::string error;
    auto* opened = new korvix::EditorDocument();
    FUZZ_CHECK(opened->open(install, install / "sources", error));
    return opened;
  }();
  return *document;
}

std::string shortest(double value) {
  char text[64];
  auto [end, error] = std::to_chars(text, text + sizeof text, value);
  FUZZ_CHECK(error == std::errc());
  return std::string(text, end);
}

bool same_bits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::optional<korvix::EditorSeek> seek = korvix::parse_editor_seek(korvix::fuzz::as_text(data, size));
  if (!seek) return 0;
  FUZZ_CHECK(std::isfinite(seek->playhead_ms) && std::isfinite(seek->width_ms));

  std::string written =
      shortest(seek->playhead_ms) + "," + std::to_string(seek->picked_line) + "," + shortest(seek->width_ms);
  std::optional<korvix::EditorSeek> again = korvix::parse_editor_seek(written);
  FUZZ_CHECK(again && same_bits(again->playhead_ms, seek->playhead_ms) && again->picked_line == seek->picked_line &&
             same_bits(again->width_ms, seek->width_ms));

  korvix::EditorDocument& document = sample_document();
  document.view_start_ms = 0;
  document.view_width_ms = 0;
  document.picked_line = 0;
  ScrubRecorder player;
  korvix::apply_editor_seek(*seek, document, player);

  const korvix::SubtitleClip* clip = document.selected();
  FUZZ_CHECK(clip && document.picked_line >= 0 && static_cast<size_t>(document.picked_line) < clip->lines.size());
  FUZZ_CHECK(player.scrubs.size() == 1 && std::isfinite(player.scrubs[0]) && player.scrubs[0] >= 0);

  const double span = korvix::total_span_ms(*clip, nullptr);
  korvix::TimelineView view = korvix::fitted_view({document.view_start_ms, document.view_width_ms}, span);
  FUZZ_CHECK(std::isfinite(view.width_ms) && view.width_ms >= korvix::view_width_min_ms && view.width_ms <= span);
  FUZZ_CHECK(std::isfinite(view.start_ms) && view.start_ms >= 0 && view.start_ms <= span - view.width_ms);
  return 0;
}
