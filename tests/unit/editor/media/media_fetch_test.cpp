// Fetching a clip's sound and a movie's pictures with real threads and the
// stand-in subtitle maker: the cache, the failure texts, and the cache's
// safety against half-written files, repeated makers and bad numbers.
#include <gtest/gtest.h>

#include <algorithm>

#include "editor/media_test_support.h"

namespace korvix::test {
namespace {

using MediaFetchThreads = MediaTest;

constexpr const char* movie_source = "movies/intro ms=1500 rate=8000 channels=2 fps=4 frames=6 width=48 height=27";

TEST_F(MediaFetchThreads, SoundAndPicturesAreFetchedOnceThenComeFromTheCacheWithoutTheMaker) {
  put_maker(sources / "out" / "build" / "release" / "korvix-subtitles.exe");
  open({video(movie_source), clip_of("vo/dock", {{0, 800, "at the dock", 0}})});
  EXPECT_TRUE(editor.media.fetching_sound() && editor.media.fetching_pictures()) << "due in 0.2 s";
  editor.media.play();
  EXPECT_EQ(editor.document.status, "Getting the sound...");
  EXPECT_FALSE(editor.media.playing());
  editor.document.status.clear();
  fetch(0);

  ASSERT_TRUE(editor.media.sound_ready() && editor.media.movie()) << editor.document.status;
  const DecodedSound& sound = *editor.media.sound();
  EXPECT_EQ((std::vector<uint64_t>{uint64_t(sound.rate), uint64_t(sound.channels), sound.frames}),
            (std::vector<uint64_t>{8000, 2, 12000}));
  const MovieFrames& movie = *editor.media.movie();
  const MediaCachePaths paths = media_cache_paths(install, movie_source);
  EXPECT_EQ(movie.folder, paths.frames);
  EXPECT_EQ((std::vector<double>{movie.fps, double(movie.frame_count), double(movie.width), double(movie.height)}),
            (std::vector<double>{4, 6, 48, 27}));
  EXPECT_EQ(editor.document.status, "");
  EXPECT_FALSE(editor.media.keeps_frames_coming());

  // The maker wrote under temporary names, which became the cache's. (The two
  // ran side by side, in either order.)
  std::vector<std::string> both = runs();
  std::sort(both.begin(), both.end());
  EXPECT_EQ(both, (std::vector<std::string>{
                      "extract " + std::string(movie_source) + " > " + to_utf8(paths.wav_part),
                      "movie-frames " + std::string(movie_source) + " > " + to_utf8(paths.frames_part)}));
  EXPECT_TRUE(fs::exists(paths.wav) && fs::exists(paths.frames / "index.txt"));
  EXPECT_FALSE(fs::exists(paths.wav_part) || fs::exists(paths.frames_part));

  // Another clip, and back: its sound is read from the cache again, no maker runs.
  fetch(1);
  EXPECT_EQ(editor.media.sound()->rate, 22050);
  EXPECT_EQ(editor.media.movie(), nullptr) << "the movie is the other clip's";
  fetch(0);
  EXPECT_EQ(editor.media.sound()->rate, 8000);
  EXPECT_EQ(runs().size(), 3u);

  // The next run, with the maker gone: everything from the cache.
  fs::remove_all(sources);
  SubtitleEditor next;
  next.document.clock = [this] { return now; };
  std::string error;
  ASSERT_TRUE(next.document.open(install, sources, error));
  now += 0.3;
  settle(next);
  EXPECT_TRUE(next.media.sound_ready() && next.media.movie()) << next.document.status;
  EXPECT_EQ(runs().size(), 3u);
}

TEST_F(MediaFetchThreads, FailuresSayWhyLeaveNothingHalfWrittenAndAreFetchedAgain) {
  put_maker();
  struct Case {
    const char* what;
    bool pictures;
    std::vector<std::pair<const char*, std::string>> switches;
    std::string status;  // a text ending in ':' is matched as the start
  };
  const std::vector<Case> cases = {
      {"a crash after half a file",
       false,
       {{"KORVIX_MAKER_EXIT", "7"}, {"KORVIX_MAKER_HALF", "1"}},
       "Couldn't get the sound (exit code 7)."},
      {"half a file and success", false, {{"KORVIX_MAKER_HALF", "1"}}, "Couldn't read the sound:"},
      {"success without a file", false, {{"KORVIX_MAKER_NO_FILE", "1"}}, "Couldn't get the sound (it wrote no file)."},
      {"an old maker",
       true,
       {{"KORVIX_MAKER_EXIT", "2"}, {"KORVIX_MAKER_OUTPUT", "unknown option --movie-frames\n"}},
       "Couldn't get the movie's pictures (unknown option --movie-frames): the subtitle maker may need updating."},
      {"a rate of 0", true, {{"KORVIX_MAKER_INDEX", "fps 0 frames 3 width 4 height 4"}}, std::string(unreadable_movie)},
      {"half an index", true, {{"KORVIX_MAKER_HALF", "1"}}, std::string(unreadable_movie)},
  };
  std::vector<SubtitleClip> clips = {clip_of("elsewhere", {})};
  for (size_t i = 0; i < cases.size(); ++i) {
    std::string source = "clip " + std::to_string(i) + " ms=200";
    clips.push_back(cases[i].pictures ? video(source) : clip_of(source, {}));
    // A movie's sound is in the cache already: only the pictures are fetched.
    if (cases[i].pictures) {
      write_bytes(media_cache_paths(install, source).wav,
                  stand_in::wav_bytes(16, 1, 8000, 800, stand_in::sine(440, 8000)));
    }
  }
  open(clips);

  for (size_t i = 0; i < cases.size(); ++i) {
    const Case& c = cases[i];
    const int32_t clip = static_cast<int32_t>(i + 1);
    const MediaCachePaths paths = media_cache_paths(install, clips[static_cast<size_t>(clip)].source);
    for (const auto& [name, value] : c.switches) env.set(name, value);
    editor.document.status.clear();
    fetch(clip);
    if (c.status.ends_with(':')) {
      EXPECT_TRUE(editor.document.status.starts_with(c.status)) << c.what << ": " << editor.document.status;
    } else {
      EXPECT_EQ(editor.document.status, c.status) << c.what;
    }
    EXPECT_FALSE(fs::exists(c.pictures ? paths.frames : paths.wav)) << c.what;
    EXPECT_FALSE(fs::exists(paths.wav_part) || fs::exists(paths.frames_part)) << c.what;
    EXPECT_EQ(c.pictures ? editor.media.movie() != nullptr : editor.media.sound_ready(), false) << c.what;

    // Picked again once the maker works: fetched again, and this time kept.
    for (const auto& [name, value] : c.switches) env.set(name, std::nullopt);
    size_t runs_before = runs().size();
    editor.document.select_clip(0);
    fetch(clip);
    EXPECT_EQ(runs().size(), runs_before + 1) << c.what;
    EXPECT_TRUE(c.pictures ? editor.media.movie() != nullptr : editor.media.sound_ready())
        << c.what << ": " << editor.document.status;
  }
}

TEST_F(MediaFetchThreads, WithoutAMakerItSaysSoAndACachedSoundStillPlays) {
  const std::string cached_movie = "movies/cached";
  open({clip_of("vo/none", {}), video(cached_movie)});

  start_fetch(0);
  EXPECT_FALSE(editor.media.fetching_sound()) << "no thread: it fails at once";
  EXPECT_EQ(editor.document.status, no_maker_for_sound);
  EXPECT_FALSE(fs::exists(install / "subtitles" / "work")) << "no cache folder without a maker to fill it";

  write_bytes(media_cache_paths(install, cached_movie).wav,
              stand_in::wav_bytes(16, 1, 8000, 4000, stand_in::sine(440, 8000)));
  fetch(1);
  EXPECT_EQ(editor.document.status, no_maker_for_movie);
  EXPECT_TRUE(editor.media.sound_ready());
  EXPECT_DOUBLE_EQ(editor.media.sound()->length_ms(), 500);

  // A maker that can't be started: its start error is the reason.
  write_bytes(install / "korvix-subtitles.exe", "not a program");
  editor.document.status.clear();
  fetch(0);
  EXPECT_TRUE(editor.document.status.starts_with("Couldn't get the sound (couldn't start ")) << editor.document.status;
  EXPECT_TRUE(editor.document.status.ends_with(").")) << editor.document.status;
}

TEST_F(MediaFetchThreads, ABrokenCacheEntryIsDeletedAndFetchedAgainAnEmptyOneIsKept) {
  put_maker();
  const std::string source = "movies/old fps=2 frames=3 width=16 height=9";
  const MediaCachePaths paths = media_cache_paths(install, source);
  write_bytes(paths.wav, "RIFF and nothing else");
  write_bytes(paths.frames / "index.txt", "fps 25 frames 3 width 16");
  open({video(source), clip_of("vo/silent ms=0", {{0, 500, "...", 0}})});

  fetch(0);
  // Whichever fetch ended last had the last word.
  EXPECT_TRUE(editor.document.status.starts_with("Couldn't read the sound: ") ||
              editor.document.status == unreadable_movie)
      << editor.document.status;
  EXPECT_FALSE(editor.media.sound_ready());
  EXPECT_EQ(editor.media.movie(), nullptr);
  EXPECT_FALSE(fs::exists(paths.wav) || fs::exists(paths.frames)) << "neither is used for ever";
  EXPECT_TRUE(runs().empty()) << "the cache had both";

  // A WAV without frames is what the clip sounds like: no failure, kept, and
  // nothing to play.
  editor.document.status.clear();
  fetch(1);
  EXPECT_EQ(editor.document.status, "");
  EXPECT_FALSE(editor.media.sound_ready());
  EXPECT_TRUE(fs::exists(media_cache_paths(install, "vo/silent ms=0").wav));
  editor.media.play();
  EXPECT_FALSE(editor.media.playing());
  EXPECT_EQ(editor.document.status, "");

  fetch(0);
  EXPECT_TRUE(editor.media.sound_ready()) << editor.document.status;
  ASSERT_NE(editor.media.movie(), nullptr) << editor.document.status;
  EXPECT_EQ(editor.media.movie()->frame_count, 3);
  EXPECT_EQ(runs().size(), 3u) << "the other clip's sound, then this one's sound and pictures";
}

TEST_F(MediaFetchThreads, NoSecondMakerRunsForAClipWhoseFetchRunsAndWhatOneWritesIsKept) {
  put_maker();
  env.set("KORVIX_MAKER_SLEEP_MS", "700");
  open({clip_of("vo/a", {}), clip_of("vo/b", {}), clip_of("vo/late", {})});
  const std::string a_run = "extract vo/a > " + to_utf8(media_cache_paths(install, "vo/a").wav_part);
  const MediaCachePaths b = media_cache_paths(install, "vo/b");

  start_fetch(0);
  ASSERT_TRUE(wait_for([this] { return runs().size() == 1; }));
  EXPECT_EQ(runs()[0], a_run);
  EXPECT_FALSE(fs::exists(media_cache_paths(install, "vo/a").wav)) << "nothing under the cache's name meanwhile";

  start_fetch(1);  // a's fetch is abandoned, and goes on
  start_fetch(0);  // and is taken up again
  settle(editor);
  EXPECT_TRUE(editor.media.sound_ready()) << editor.document.status;
  ASSERT_TRUE(wait_for([this] { return runs().size() >= 2; }));
  EXPECT_EQ(runs(), (std::vector<std::string>{a_run, "extract vo/b > " + to_utf8(b.wav_part)}));

  // b's abandoned fetch finished into the cache: picking it runs nothing.
  ASSERT_TRUE(wait_for([&] { return fs::exists(b.wav); }));
  fetch(1);
  EXPECT_TRUE(editor.media.sound_ready());
  EXPECT_EQ(runs().size(), 2u);

  // Released while the maker runs, the sound is still cached for next time.
  start_fetch(2);
  editor.media.release();
  EXPECT_FALSE(editor.media.keeps_frames_coming());
  ASSERT_TRUE(wait_for([&] { return fs::exists(media_cache_paths(install, "vo/late").wav); }));
  EXPECT_EQ(runs().size(), 3u);
}

TEST(SdlUseGateThreads, CloseWaitsForAUseInProgressAndNoneStartsAfter) {
  SdlUseGate gate;
  std::atomic<bool> inside{false};
  std::atomic<bool> finished{false};
  std::thread user([&] {
    gate.run([&] {
      inside = true;
      std::this_thread::sleep_for(std::chrono::milliseconds(150));
      finished = true;
    });
  });
  ASSERT_TRUE(wait_for([&] { return inside.load(); }));
  gate.close();
  EXPECT_TRUE(finished) << "close returned while a use was in progress";
  bool ran = false;
  EXPECT_FALSE(gate.run([&] { ran = true; }));
  EXPECT_FALSE(ran);
  user.join();
}

}  // namespace
}  // namespace korvix::test
