// How the game draws its subtitles, as draw records: from the six look
// settings of korvix.toml, the lines to show and a 16:9 area, the font size,
// the rows with their places, the shading boxes and the edge copies of each
// row (shadow or outline) in drawing order.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/style/editor_colors.h"
#include "editor/timeline/timeline_layout.h"

namespace korvix {

class GameSettings;

struct GameLookSettings {
  int size = 100;       // per cent, 25 .. 300
  int background = 60;  // per cent opacity of the shading, 0 .. 100
  int box = 0;          // 1: one block around all rows; else one per row
  int edge = 1;         // 1 drop shadow, 2 outline, 0 plain
  int position = 8;     // per cent of the height from the bottom, 0 .. 60
  int width = 78;       // per cent of the width a row may take, 30 .. 100
  bool speaker_names = true;
  bool speaker_colours = true;
  bool operator==(const GameLookSettings&) const = default;
};

// The settings as the game reads them: each number read as a whole decimal
// number, a value that can't be read giving the default above; the two
// switches on when "true". Then clamped into the ranges above.
GameLookSettings read_game_look(const GameSettings& settings);
GameLookSettings clamped(GameLookSettings look);

struct LookLine {
  std::string text;  // its label or words, as the settings say
  Colour colour = editor_colors::white;
};

// The width of text at a font size, in pixels.
using MeasureAt = std::function<double(std::string_view text, double font_size)>;

struct LookText {
  std::string text;
  double x = 0, y = 0;  // top left
  Colour colour = 0;
};
struct LookBox {
  Box box;
  double rounding = 0;
  Colour colour = 0;
};

struct GameLookLayout {
  double font_size = 0;
  double row_gap = 0;            // V = 1.22 × F, from one row's top to the next
  std::vector<LookBox> shading;  // drawn first
  std::vector<LookText> texts;   // edge copies, then each row in its colour
  size_t rows = 0;
};

inline constexpr double look_font_share = 0.042;  // of the area's height at size 100
inline constexpr double look_row_gap = 1.22;
inline constexpr double look_min_area = 16;

// Nothing when there is no line or the area is under 16 pixels either way.
GameLookLayout layout_game_look(const Box& area, const std::vector<LookLine>& lines, GameLookSettings look,
                                const MeasureAt& measure);

}  // namespace korvix
