// An editor document opened on a subtitle file in a temporary install folder,
// on a fake clock, with a stand-in transport that records what it was asked.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

#include "state/state_test_support.h"
#include "editor/document/editor_document.h"
#include "editor/document/transport.h"
#include "subtitles/subtitle_paths.h"

namespace korvix::test {

// Logs what it was asked; scrubbing moves the document's playhead as the
// media's transport does.
struct RecordingPlayer final : Transport {
  explicit RecordingPlayer(EditorDocument& document) : document(document) {}
  bool playing() const override { return is_playing; }
  void play() override {
    is_playing = true;
    note("play", document.playhead_ms);
  }
  void pause() override {
    is_playing = false;
    log += "pause ";
  }
  void scrub_to(double ms) override { note("scrub", document.playhead_ms = last_scrub = ms); }
  double last_scrub_ms() const override { return last_scrub; }
  bool looping() const override { return is_looping; }
  void set_looping(bool looping) override { is_looping = looping; }
  void stop_playback() override {
    is_playing = false;
    ++stops;
  }
  void close_output() override {
    is_playing = false;
    ++closes;
  }
  void note(const char* what, double ms) { log += std::string(what) + "@" + std::to_string(std::llround(ms)) + " "; }

  EditorDocument& document;
  bool is_playing = false;
  bool is_looping = false;
  double last_scrub = 0;
  std::string log;
  int stops = 0;
  int closes = 0;
};

inline SubtitleClip clip_of(std::string source, std::initializer_list<SubtitleLine> lines, bool edited = false) {
  SubtitleClip clip;
  clip.source = std::move(source);
  clip.keys.push_back({1, 0xab});
  clip.length_ms = 9000;
  clip.edited = edited;
  clip.lines = lines;
  return clip;
}

// The times of a clip's lines, start and end in turn, for one-line comparisons.
inline std::vector<uint32_t> times_of(const SubtitleClip& clip) {
  std::vector<uint32_t> times;
  for (const SubtitleLine& line : clip.lines) times.insert(times.end(), {line.start_ms, line.end_ms});
  return times;
}

inline std::vector<std::string> texts_of(const SubtitleClip& clip) {
  std::vector<std::string> texts;
  for (const SubtitleLine& line : clip.lines) texts.push_back(line.text);
  return texts;
}

class EditorTest : public ::testing::Test {
 protected:
  EditorTest() {
    document.clock = [this] { return now; };
    document.transport = &media;
  }

  fs::path subtitle_path() const { return subtitle_file_path(install.path()); }

  void write_file(const std::vector<SubtitleClip>& clips, std::string_view comments = "# made here\n") const {
    write_bytes(subtitle_path(), write_subtitles(clips, comments));
  }

  // Writes the clips and opens the document on them.
  void open(const std::vector<SubtitleClip>& clips) {
    write_file(clips);
    std::string error;
    ASSERT_TRUE(document.open(install.path(), install / "sources", error)) << error;
  }

  // Three clips; clip 0 is selected after opening.
  void open_sample() {
    open({clip_of("vo/intro", {{1000, 3000, "ab cd ef gh", 0}, {3000, 5000, "second line", 1}}),
          clip_of("vo/dock", {{0, 1500, "at the dock", 0}}), clip_of("movie one", {})});
  }

  const SubtitleClip& clip() const { return *document.selected(); }

  double now = 100.0;
  TempFolder install;
  EditorDocument document;
  RecordingPlayer media{document};
};

}  // namespace korvix::test
