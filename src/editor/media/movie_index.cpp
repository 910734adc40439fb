#include "editor/media/movie_index.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <vector>

#include "platform/file_read.h"
#include "subtitles/number_scan.h"

namespace korvix {

namespace {

std::vector<std::string_view> words_of(std::string_view text, size_t wanted) {
  std::vector<std::string_view> words;
  size_t pos = skip_blanks(text, 0);
  while (pos < text.size() && words.size() < wanted) {
    size_t end = pos;
    while (end < text.size() && !is_blank(text[end])) ++end;
    words.push_back(text.substr(pos, end - pos));
    pos = skip_blanks(text, end);
  }
  return words;
}

// The whole word is a number: "30x" is no rate.
std::optional<double> decimal(std::string_view word) {
  double value = 0;
  auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size()) return std::nullopt;
  return value;
}

// A whole number above 0 and at most `maximum`.
std::optional<int> positive(std::string_view word, int maximum) {
  long long value = 0;
  auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size() || value <= 0 || value > maximum) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace

std::optional<MovieFrames> read_movie_index(std::string_view text) {
  std::vector<std::string_view> words = words_of(text, 8);
  if (words.size() < 8 || words[0] != "fps") return std::nullopt;
  std::optional<double> fps = decimal(words[1]);
  std::optional<int> count = positive(words[3], INT_MAX);
  std::optional<int> width = positive(words[5], movie_picture_max_side);
  std::optional<int> height = positive(words[7], movie_picture_max_side);
  // "inf" and "nan" read as numbers; neither picks a frame.
  if (!fps || !std::isfinite(*fps) || *fps <= 0 || !count || !width || !height) return std::nullopt;
  MovieFrames movie;
  movie.fps = *fps;
  movie.frame_count = *count;
  movie.width = *width;
  movie.height = *height;
  return movie;
}

std::optional<MovieFrames> load_movie_index(const std::filesystem::path& folder) {
  std::optional<std::string> text = read_file_bytes(folder / "index.txt");
  if (!text) return std::nullopt;
  std::optional<MovieFrames> movie = read_movie_index(*text);
  if (movie) movie->folder = folder;
  return movie;
}

int movie_frame_at(const MovieFrames& movie, double ms) {
  // In doubles, clamped before any conversion: a huge rate or time can't overflow.
  double frame = std::floor(ms / 1000.0 * movie.fps);
  double last = movie.frame_count > 0 ? movie.frame_count - 1 : 0;
  if (!(frame > 0)) return 0;  // NaN too
  return frame >= last ? static_cast<int>(last) : static_cast<int>(frame);
}

std::filesystem::path movie_frame_path(const std::filesystem::path& folder, int frame) {
  char name[32];
  std::snprintf(name, sizeof name, "frame_%05d.jpg", frame);
  return folder / name;
}

}  // namespace korvix
