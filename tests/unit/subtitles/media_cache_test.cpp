// The media cache's names, where the subtitle maker is found, what it is told,
// and how its failures are quoted.
#include "subtitles/media_cache.h"

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "state/state_test_support.h"

namespace korvix::test {
namespace {

TEST(MediaCache, KeysAreFnv1aOfTheSourceAndNameTheSameFilesOnEveryRun) {
  // The published FNV-1a test vectors, and a source with a blank and a non-ASCII byte.
  EXPECT_EQ(media_key_text(media_key("")), "cbf29ce484222325");
  EXPECT_EQ(media_key_text(media_key("a")), "af63dc4c8601ec8c");
  EXPECT_EQ(media_key_text(media_key("foobar")), "85944171f73967e8");
  EXPECT_EQ(media_key_text(0x1f), "000000000000001f");

  fs::path install = path_from_utf8("/games/kv");
  MediaCachePaths paths = media_cache_paths(install, "movies/intro");
  fs::path folder = install / "subtitles" / "work" / "play";
  std::string key = media_key_text(media_key("movies/intro"));
  EXPECT_EQ(media_cache_folder(install), folder);
  EXPECT_EQ(paths.wav, folder / (key + ".wav"));
  EXPECT_EQ(paths.wav_part, folder / (key + ".part.wav"));
  EXPECT_EQ(paths.frames, folder / (key + "_frames"));
  EXPECT_EQ(paths.frames_part, folder / (key + "_frames.part"));
  EXPECT_NE(media_cache_paths(install, "movies/intro ").wav, paths.wav);
}

TEST(MediaCache, TheMakerIsTheInstallsElseTheFirstBuiltUnderTheSources) {
  TempFolder temp;
  fs::path install = temp / "install";
  fs::path sources = temp / "sources";
  fs::create_directories(install);
  EXPECT_EQ(find_subtitle_maker(install, sources), fs::path()) << "no out/build at all";
  EXPECT_EQ(find_subtitle_maker(install, fs::path()), fs::path());

  fs::create_directories(sources / "out" / "build" / "empty-preset");
  write_bytes(sources / "out" / "build" / "release" / "korvix-subtitles.exe", "built");
  EXPECT_EQ(find_subtitle_maker(install, sources), sources / "out" / "build" / "release" / "korvix-subtitles.exe");

  write_bytes(install / "korvix-subtitles.exe", "installed");
  EXPECT_EQ(find_subtitle_maker(install, sources), install / "korvix-subtitles.exe");
}

TEST(MediaCache, TheMakerIsToldTheGameTheSourceAndWhereToWrite) {
  fs::path maker = path_from_utf8("/i/korvix-subtitles.exe");
  fs::path install = path_from_utf8("/i");
  EXPECT_EQ(sound_command(maker, install, "vo/dock mira 01", path_from_utf8("/c/k.part.wav")),
            (std::vector<std::string>{to_utf8(maker), "--game", to_utf8(install / "game"), "--extract",
                                      "vo/dock mira 01", "--wav", to_utf8(path_from_utf8("/c/k.part.wav"))}));
  EXPECT_EQ(frames_command(maker, install, "movies/intro", path_from_utf8("/c/k_frames.part")),
            (std::vector<std::string>{to_utf8(maker), "--game", to_utf8(install / "game"), "--movie-frames",
                                      "movies/intro", "--frames", to_utf8(path_from_utf8("/c/k_frames.part"))}));
}

TEST(MediaCache, AFailedRunIsQuotedWithAtMost200BytesOnOneLine) {
  // 199 ASCII bytes, then a three-byte character that would end at byte 202.
  std::string long_output = std::string(150, 'x') + "\n" + std::string(48, 'y') + "\xe2\x82\xac tail\n";
  struct Case {
    const char* what;
    int exit_code;
    const char* start_error;
    std::string output;
    std::string reason;
  };
  const Case cases[] = {
      {"output, cut before the character", 3, "", long_output, std::string(150, 'x') + " " + std::string(48, 'y')},
      {"lines joined, trailing break dropped", 3, "", "first\nsecond\n", "first second"},
      {"a start error wins over output", 1, "couldn't start korvix-subtitles.exe (error 2)", "ignored",
       "couldn't start korvix-subtitles.exe (error 2)"},
      {"nothing printed, an exit code", 3, "", "", "exit code 3"},
      {"nothing printed, exit 0", 0, "", "", "it wrote no file"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(maker_failure_reason(RunResult{c.exit_code, c.start_error}, c.output), c.reason) << c.what;
  }

  EXPECT_EQ(sound_fetch_failure("boom"), "Couldn't get the sound (boom).");
  EXPECT_EQ(frames_fetch_failure("boom"),
            "Couldn't get the movie's pictures (boom): the subtitle maker may need updating.");
}

}  // namespace
}  // namespace korvix::test
