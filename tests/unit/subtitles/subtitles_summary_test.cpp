#include "subtitles/subtitles_summary.h"

#include <gtest/gtest.h>

#include <fstream>

#include "state/state_test_support.h"
#include "subtitles/subtitle_paths.h"
#include "subtitles/subtitle_samples.h"

namespace korvix {
namespace {

TEST(SubtitlesSummary, CountText) {
  EXPECT_EQ(count_text(0, "line", "lines"), "0 lines");
  EXPECT_EQ(count_text(1, "movie", "movies"), "1 movie");
  EXPECT_EQ(count_text(2, "sound", "sounds"), "2 sounds");
  EXPECT_EQ(count_text(4294967296ull, "line", "lines"), "4294967296 lines");
}

class SummaryOfInstall : public ::testing::Test {
 protected:
  void write(std::string_view content) {
    fs::create_directories(file_.parent_path());
    std::ofstream(file_, std::ios::binary | std::ios::trunc) << content;
  }
  test::TempFolder install_;
  fs::path file_ = subtitle_file_path(install_.path());
};

TEST_F(SummaryOfInstall, CountsLinesSoundsMoviesAndCorrectedClips) {
  struct Case {
    std::string content;
    std::string summary;
  };
  const Case cases[] = {
      {generated_subtitle_file(250, 120, 3, 2), "250 lines in 120 sounds and 3 movies, 2 corrected by hand"},
      {"korvix-subtitles 2\nclip speech 100 0 1:1 a\n0 100 s1 hello\n", "1 line in 1 sound and 0 movies"},
      {"korvix-subtitles 2\nclip video 100 0 1:1 a\n0 100 s1 hello\n0 100 s1 \n", "1 line in 0 sounds and 1 movie"},
      {"korvix-subtitles 2\r\nclip story+edited 1 0 1:1 a\r\n", "0 lines in 1 sound and 0 movies, 1 corrected by hand"},
      {"korvix-subtitles 2\n", "0 lines in 0 sounds and 0 movies"},
      {sample_subtitle_file(), "13 lines in 4 sounds and 1 movie, 2 corrected by hand"},
      {"korvix-subtitles 3\nclip speech 1 0 1:1 a\n", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    write(c.content);
    EXPECT_EQ(subtitles_summary(install_.path()), c.summary) << c.content.substr(0, 80);
  }
  fs::remove(file_);
  EXPECT_EQ(subtitles_summary(install_.path()), "");
}

TEST_F(SummaryOfInstall, TheCacheReadsAgainWhenTheFileChangesAndOnlyThen) {
  SubtitlesSummaryCache cache;
  EXPECT_EQ(cache.get(install_.path()), "");
  write("korvix-subtitles 2\nclip story 1 0 1:1 a\n0 1 s1 hi\n");
  EXPECT_EQ(cache.get(install_.path()), "1 line in 1 sound and 0 movies");

  // Same size and time: not read again, so a frame costs two file-status calls.
  fs::file_time_type stamp = fs::last_write_time(file_);
  write("korvix-subtitles 2\nclip video 1 0 1:1 a\n0 1 s1 hi\n");
  fs::last_write_time(file_, stamp);
  EXPECT_EQ(cache.get(install_.path()), "1 line in 1 sound and 0 movies");

  // Same size, another time: read again.
  fs::last_write_time(file_, stamp + std::chrono::seconds(2));
  EXPECT_EQ(cache.get(install_.path()), "1 line in 0 sounds and 1 movie");

  // Another size, same time: read again.
  write("korvix-subtitles 2\nclip video+edited 1 0 1:1 a\n0 1 s1 hi\n");
  fs::last_write_time(file_, stamp + std::chrono::seconds(2));
  EXPECT_EQ(cache.get(install_.path()), "1 line in 0 sounds and 1 movie, 1 corrected by hand");

  test::TempFolder other;
  EXPECT_EQ(cache.get(other.path()), "") << "another install folder is another file";
  EXPECT_EQ(cache.get(install_.path()), "1 line in 0 sounds and 1 movie, 1 corrected by hand");

  fs::remove(file_);
  EXPECT_EQ(cache.get(install_.path()), "");
}

}  // namespace
}  // namespace korvix
