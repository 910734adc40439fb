// A movie's pictures as the subtitle maker leaves them: index.txt and one JPEG
// per frame. index.txt comes from another program, so every number in it is
// checked before it is used to size or pick anything.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace korvix {

// Pictures wider or higher than this are not read (a picture is decoded whole
// into memory and a texture).
inline constexpr int movie_picture_max_side = 16384;

struct MovieFrames {
  std::filesystem::path folder;  // index.txt and the pictures
  double fps = 0;
  int frame_count = 0;
  int width = 0;
  int height = 0;
};

// Four key-value pairs separated by white space, read in order: "fps" and a
// decimal rate, then any word and the frame count, the width and the height.
// Valid when all of it reads, the rate is finite and above 0, the three whole
// numbers are above 0 and fit an int, and neither side is above
// movie_picture_max_side. Anything after the fourth pair is ignored. `folder`
// is left empty.
std::optional<MovieFrames> read_movie_index(std::string_view text);

// Reads folder/index.txt; nothing when it is missing or invalid.
std::optional<MovieFrames> load_movie_index(const std::filesystem::path& folder);

// The frame shown at `ms`: the whole part of ms / 1000 × fps, clamped into
// 0 .. frame_count − 1 (0 before the first, the last past the end).
int movie_frame_at(const MovieFrames& movie, double ms);

// folder/frame_%05d.jpg.
std::filesystem::path movie_frame_path(const std::filesystem::path& folder, int frame);

}  // namespace korvix
