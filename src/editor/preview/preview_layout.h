// The preview box under the timeline: its height, the movie picture in it,
// the 16:9 area the game's subtitles are placed in, the lines under the
// playhead, and the plain text shown when there is no picture.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "editor/preview/game_look.h"
#include "editor/timeline/timeline_layout.h"
#include "subtitles/subtitle_file.h"

namespace korvix {

inline constexpr size_t preview_lines_max = 3;
inline constexpr double preview_min_rows = 4;      // with a picture, at least 4 × s high
inline constexpr double preview_plain_rows = 3.6;  // without one
inline constexpr double preview_room_rows = 10;    // left for what follows the box
inline constexpr double preview_split_height = 8;
inline constexpr float preview_share_min = 0.08f;
inline constexpr float preview_share_max = 0.75f;
inline constexpr const char* no_line_here = "(no line here)";
inline constexpr const char* getting_pictures = "Getting the movie's pictures...";

struct PictureSize {
  int width = 0;
  int height = 0;
};

// With a picture: the smallest of the share of the window's height, the
// picture's height at the box's width and the room left less 10 × s, but at
// least 4 × s. Without one, 3.6 × s.
double preview_box_height(std::optional<PictureSize> picture, double share, double window_height, double box_width,
                          double room_left, double s);

// The picture scaled to the box's height (never wider than the box) and centred.
Box picture_rect(const Box& box, PictureSize picture);
// The largest 16:9 area that fits in the box, centred.
Box widest_16_9(const Box& box);

// The lines under the playhead (start at or before it, end after it), at most
// the first three.
std::vector<size_t> lines_under(const SubtitleClip& clip, double playhead_ms);
// Those lines as the game shows them: label or words, speaker colour or white.
std::vector<LookLine> look_lines(const SubtitleClip& clip, const std::vector<size_t>& lines,
                                 const GameLookSettings& look);

// The plain text preview: each line's label wrapped at spaces to 95 % of the
// box, each row in its speaker's colour at 1.25 × s and 1.22 times that apart,
// the block centred (at least 2 from the top), each row centred, a black
// shadow 2 right and 2 down first; "(no line here)" in the middle when no
// line is under the playhead.
struct PlainPreview {
  double font_size = 0;
  std::vector<LookText> texts;  // shadow copies come before their rows
};
PlainPreview layout_plain_preview(const Box& box, const SubtitleClip& clip, const std::vector<size_t>& lines, double s,
                                  const MeasureAt& measure);

// The splitter under the box: the mouse's vertical movement over the window's
// height added to the share, within 0.08 .. 0.75.
float dragged_preview_share(float share, double mouse_dy, double window_height);

}  // namespace korvix
