// The media cache's names, where the subtitle maker is found, what it is told,
// and how its failures are quoted.
#include "editor/media/media_cache.h"

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "state/state_test_support.h"

namespace korvix::test {
namespace {

TEST(MediaCache, KeysAreFnv1aOfTheSourceAndNameTheSameFilesOnEveryRun) {
  // The published FNV-1a test vectors.
  EXPECT_EQ(media_key_text(media_key("")), "cbf29ce484222325");
  EXPECT_EQ(media_key_text(media_key("a")), "af63dc4c8601ec8c");
  EXPECT_EQ(media_key_text(media_key("foobar")), "85944171f73967e8");
  EXPECT_EQ(media_key_text(0x1f), "000000000000001f");

  fs::path install = path_from_utf8("/games/kv");
  MediaCachePaths paths = media_cache_paths(install, "movies/intro");
  fs::path folder = install / "subtitles" / "work" / "play";
  std::string key = media_key_text(media_key("movies/intro"));
  EXPECT_EQ((std::vector{media_cache_folder(install), paths.wav, paths.wav_part, paths.frames, paths.frames_part}),
            (std::vector{folder, folder / (key + ".wav"), folder / (key + ".part.wav"), folder / (key + "_frames"),
                         folder / (key + "_frames.part")}));
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
  const fs::path maker = path_from_utf8("/i/korvix-subtitles.exe"), install = path_from_utf8("/i");
  const fs::path out = path_from_utf8("/c/k.part");
  const std::string game = to_utf8(install / "game");
  EXPECT_EQ(sound_command(maker, install, "vo/dock mira 01", out),
            (std::vector<std::string>{to_utf8(maker), "--game", game, "--extract", "vo/dock mira 01", "--wav",
                                      to_utf8(out)}));
  EXPECT_EQ(frames_command(maker, install, "movies/intro", out),
            (std::vector<std::string>{to_utf8(maker), "--game", game, "--movie-frames", "movies/intro", "--frames",
                                      to_utf8(out)}));
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
  };
  for (const Case& c : cases) {
    EXPECT_EQ(maker_failure_reason(RunResult{c.exit_code, c.start_error}, c.output), c.reason) << c.what;
  }
}

}  // namespace
}  // namespace korvix::test
