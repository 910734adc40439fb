// The editor with its real media side on a temporary install, on a fake clock
// for the 0.2 s fetch delay, with the stand-in subtitle maker and real fetch
// threads. Tests wait for fetches in real time.
#pragma once

#include <SDL3/SDL_stdinc.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "fixtures/subtitle_maker/stand_in_media.h"
#include "editor/editor_test_support.h"
#include "platform/executable_path.h"
#include "editor/subtitle_editor.h"
#include "editor/media/media_cache.h"

namespace korvix::test {

// Calls `done` until it holds, for at most a minute (Wine starts programs slowly).
inline bool wait_for(const std::function<bool()>& done) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(3));
  }
  return true;
}

class MediaTest : public ::testing::Test {
 protected:
  MediaTest() {
    // SDL makes its copy of the environment on first use, unguarded; the
    // launcher's start-up makes it on the main thread before any fetch, and so
    // must a test, or two fetch threads decoding at once race to make it.
    SDL_GetEnvironment();
    editor.document.clock = [this] { return now; };
    env.set("KORVIX_MAKER_RUNS", to_utf8(temp / "runs.txt"));
    for (const char* name : {"KORVIX_MAKER_OUTPUT", "KORVIX_MAKER_SLEEP_MS", "KORVIX_MAKER_NO_FILE",
                             "KORVIX_MAKER_HALF", "KORVIX_MAKER_INDEX", "KORVIX_MAKER_EXIT", "KORVIX_MAKER_MEDIA"}) {
      env.set(name, std::nullopt);
    }
  }

  // The stand-in maker, copied into the install unless told where.
  fs::path put_maker(fs::path where = {}) const {
    if (where.empty()) where = install / "korvix-subtitles.exe";
    fs::create_directories(where.parent_path());
    fs::copy_file(running_executable_path().parent_path() / KORVIX_SUBTITLE_MAKER_NAME, where,
                  fs::copy_options::overwrite_existing);
    return where;
  }

  void open(const std::vector<SubtitleClip>& clips) {
    write_bytes(subtitle_file_path(install), write_subtitles(clips, ""));
    std::string error;
    ASSERT_TRUE(editor.document.open(install, sources, error)) << error;
  }

  // Selects the clip (if it isn't), lets its fetch fall due and start.
  void start_fetch(int32_t clip) {
    editor.document.select_clip(clip);
    now += 0.3;
    editor.media.tick();
  }
  // Ticks until no fetch of the selected clip is under way.
  void settle(SubtitleEditor& which) {
    ASSERT_TRUE(wait_for([&] {
      which.media.tick();
      return !which.media.fetching_sound() && !which.media.fetching_pictures();
    })) << "the fetch never ended";
  }
  void fetch(int32_t clip) {
    start_fetch(clip);
    settle(editor);
  }

  // One line per run of the stand-in: "extract SOURCE > PATH" or "movie-frames SOURCE > FOLDER".
  std::vector<std::string> runs() const {
    std::vector<std::string> lines;
    std::istringstream in(read_bytes(temp / "runs.txt"));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  static SubtitleClip video(std::string source) {
    SubtitleClip clip = clip_of(std::move(source), {{500, 1500, "first", 0}, {1500, 2600, "second", 1}});
    clip.kind = ClipKind::video;
    return clip;
  }

  TempFolder temp;
  fs::path install = temp / "install";
  fs::path sources = temp / "sources";
  ScopedEnv env;
  double now = 100.0;
  SubtitleEditor editor;
};

}  // namespace korvix::test
