// index.txt of a movie's pictures: what is read, what is refused, and which
// picture a time shows.
#include "editor/media/movie_index.h"

#include <gtest/gtest.h>

#include <climits>

namespace korvix::test {
namespace {

TEST(MovieIndex, ReadsFourPairsInOrderAndRefusesWhatCantBeUsed) {
  struct Case {
    const char* text;
    bool valid;
    double fps = 0;
    int count = 0, width = 0, height = 0;
  };
  const Case cases[] = {
      {"fps 29.97\nframes 120\nwidth 640\nheight 360\n", true, 29.97, 120, 640, 360},
      {"  fps\t25 n 3 w 16384 h 1 extra words are ignored", true, 25, 3, 16384, 1},
      {"fps 1e1 a 1 b 2 c 3", true, 10, 1, 2, 3},
      {"rate 25 frames 3 width 4 height 5", false},  // the first key must be fps
      {"fps 0 frames 3 width 4 height 5", false},    // rate 0
      {"fps -5 frames 3 width 4 height 5", false},
      {"fps 25 frames 3 width 4", false},            // height missing
      {"fps 25 width 4 height 5", false},            // the count missing
      {"fps 25x frames 3 width 4 height 5", false},  // not wholly a number
      {"fps 25 frames 3.5 width 4 height 5", false},
      {"fps 25 frames 0 width 4 height 5", false},
      {"fps 25 frames 3 width -4 height 5", false},
      {"fps inf frames 3 width 4 height 5", false},  // no frame number from these
      {"fps nan frames 3 width 4 height 5", false},
      {"fps 25 frames 3 width 16385 height 5", false},        // wider than a picture is read
      {"fps 25 frames 3 width 5 height 99999999999", false},  // and beyond an int
      {"fps 25 frames 2147483648 width 4 height 5", false},
      {"", false},
  };
  for (const Case& c : cases) {
    std::optional<MovieFrames> movie = read_movie_index(c.text);
    ASSERT_EQ(movie.has_value(), c.valid) << c.text;
    if (!movie) continue;
    EXPECT_DOUBLE_EQ(movie->fps, c.fps) << c.text;
    EXPECT_EQ(movie->frame_count, c.count) << c.text;
    EXPECT_EQ(movie->width, c.width) << c.text;
    EXPECT_EQ(movie->height, c.height) << c.text;
  }
}

TEST(MovieIndex, ATimeShowsItsFrameClampedToTheMovieEvenAtHugeRates) {
  MovieFrames movie;
  movie.fps = 25;
  movie.frame_count = 100;
  const struct {
    double ms;
    int frame;
  } times[] = {{0, 0}, {39.9, 0}, {40, 1}, {1000, 25}, {3999, 99}, {4000, 99}, {1e12, 99}, {-500, 0}};
  for (const auto& t : times) EXPECT_EQ(movie_frame_at(movie, t.ms), t.frame) << t.ms;

  // A rate that overflows any whole-number frame count still picks the last picture.
  movie.fps = 1e300;
  movie.frame_count = INT_MAX;
  EXPECT_EQ(movie_frame_at(movie, 1000), INT_MAX - 1);
  EXPECT_EQ(movie_frame_at(movie, 0), 0);
}

}  // namespace
}  // namespace korvix::test
