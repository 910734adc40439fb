// index.txt of a movie's pictures over any bytes. No crash; an index that is
// accepted has a finite rate above 0 and sizes that can be allocated; every
// time, however far out, picks a frame of the movie, and later times never
// pick earlier frames; the index written back in its own form reads the same;
// and words after the fourth pair change nothing.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "editor/media/movie_index.h"

namespace {

bool same(const korvix::MovieFrames& a, const korvix::MovieFrames& b) {
  return a.folder == b.folder && std::memcmp(&a.fps, &b.fps, sizeof a.fps) == 0 && a.frame_count == b.frame_count &&
         a.width == b.width && a.height == b.height;
}

std::string shortest(double value) {
  char text[64];
  auto [end, error] = std::to_chars(text, text + sizeof text, value);
  FUZZ_CHECK(error == std::errc());
  return std::string(text, end);
}

// Times around the start of frames at both ends and the middle of the movie,
// and the ones no clock should give but a seek might.
std::vector<double> probe_times(const korvix::MovieFrames& movie) {
  constexpr double infinity = std::numeric_limits<double>::infinity();
  std::vector<double> times = {-infinity, -1e300, -1, -0.0, 0, 0.5, 1, 1000, 1e300, infinity};
  const double frames[] = {1, 2, movie.frame_count / 2.0, movie.frame_count - 1.0, double(movie.frame_count), 1e18};
  for (double frame : frames) {
    double start = frame * 1000.0 / movie.fps;
    for (double t : {std::nextafter(start, -infinity), start, std::nextafter(start, infinity)}) times.push_back(t);
  }
  return times;
}

void check_frames(const korvix::MovieFrames& movie) {
  std::vector<double> times = probe_times(movie);
  std::sort(times.begin(), times.end());
  int previous = 0;
  for (double t : times) {
    int frame = korvix::movie_frame_at(movie, t);
    FUZZ_CHECK(frame >= 0 && frame < movie.frame_count);
    FUZZ_CHECK(frame >= previous);
    previous = frame;
  }
  FUZZ_CHECK(korvix::movie_frame_at(movie, std::nan("")) == 0);
  FUZZ_CHECK(korvix::movie_frame_at(movie, std::numeric_limits<double>::infinity()) == movie.frame_count - 1);

  // The last frame's picture is named by its number, padded to five digits.
  std::string number = std::to_string(movie.frame_count - 1);
  std::string expected = "frame_" + std::string(number.size() < 5 ? 5 - number.size() : 0, '0') + number + ".jpg";
  FUZZ_CHECK(korvix::movie_frame_path("f", movie.frame_count - 1).filename().string() == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text = korvix::fuzz::as_text(data, size);
  std::optional<korvix::MovieFrames> movie = korvix::read_movie_index(text);
  if (!movie) return 0;

  FUZZ_CHECK(movie->folder.empty());
  FUZZ_CHECK(std::isfinite(movie->fps) && movie->fps > 0);
  FUZZ_CHECK(movie->frame_count > 0);
  FUZZ_CHECK(movie->width > 0 && movie->width <= korvix::movie_picture_max_side);
  FUZZ_CHECK(movie->height > 0 && movie->height <= korvix::movie_picture_max_side);
  check_frames(*movie);

  std::string written = "fps " + shortest(movie->fps) + "\nframes " + std::to_string(movie->frame_count) + "\nwidth " +
                        std::to_string(movie->width) + "\nheight " + std::to_string(movie->height) + "\n";
  std::optional<korvix::MovieFrames> again = korvix::read_movie_index(written);
  FUZZ_CHECK(again && same(*again, *movie));

  std::optional<korvix::MovieFrames> longer = korvix::read_movie_index(std::string(text) + "\nfps 0 x -1 y nan z\n");
  FUZZ_CHECK(longer && same(*longer, *movie));
  return 0;
}
