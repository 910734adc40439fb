#include "editor/preview/game_look.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "settings/game_settings.h"
#include "settings/setting_schema.h"
#include "subtitles/number_scan.h"
#include "ui/text_fit.h"

namespace korvix {

namespace {

struct LookNumber {
  std::string_view key;
  int GameLookSettings::*value;
  int low, high;  // clamp applied by the game; box and edge are enumerations
};

constexpr LookNumber look_numbers[] = {
    {"subtitles_size", &GameLookSettings::size, 25, 300},
    {"subtitles_background", &GameLookSettings::background, 0, 100},
    {"subtitles_box", &GameLookSettings::box, INT32_MIN, INT32_MAX},
    {"subtitles_edge", &GameLookSettings::edge, INT32_MIN, INT32_MAX},
    {"subtitles_position", &GameLookSettings::position, 0, 60},
    {"subtitles_width", &GameLookSettings::width, 30, 100},
};

bool switch_on(const GameSettings& settings, std::string_view key) {
  const SettingSpec* spec = find_subtitle_setting(key);
  return !spec || settings.get(*spec) == "true";
}

constexpr double shade_side = 0.45;  // of F, beyond a row on each side
constexpr double shade_above = 0.18;
constexpr double block_side = 1.4;  // one block reaches further
constexpr double block_above = 2.0;
constexpr double block_below = 0.6;
constexpr double block_rounding = 0.3;
constexpr double row_rounding = 0.2;
constexpr int shadow_alpha = 199;   // 78 %
constexpr int outline_alpha = 230;  // 90 %

}  // namespace

GameLookSettings read_game_look(const GameSettings& settings) {
  GameLookSettings look;
  for (const LookNumber& number : look_numbers) {
    const SettingSpec* spec = find_subtitle_setting(number.key);
    if (!spec) continue;
    std::string text = settings.get(*spec);
    size_t at = skip_blanks(text, 0);
    int value = 0;
    auto [end, error] = std::from_chars(text.data() + at, text.data() + text.size(), value);
    if (error == std::errc()) look.*number.value = value;
  }
  look.speaker_names = switch_on(settings, "subtitles_speaker_names");
  look.speaker_colours = switch_on(settings, "subtitles_speaker_colors");
  return clamped(look);
}

GameLookSettings clamped(GameLookSettings look) {
  for (const LookNumber& number : look_numbers)
    look.*number.value = std::clamp(look.*number.value, number.low, number.high);
  return look;
}

GameLookLayout layout_game_look(const Box& area, const std::vector<LookLine>& lines, GameLookSettings look,
                                const MeasureAt& measure) {
  look = clamped(look);
  GameLookLayout layout;
  double wa = area.width();
  double ha = area.height();
  layout.font_size = look.size * (ha * look_font_share) / 100.0;
  layout.row_gap = look_row_gap * layout.font_size;
  if (lines.empty() || wa < look_min_area || ha < look_min_area) return layout;
  double f = layout.font_size;
  double v = layout.row_gap;

  struct Row {
    std::string text;
    Colour colour;
    double width;
  };
  std::vector<Row> rows;
  MeasureText at_size = [&](std::string_view text) { return static_cast<float>(measure(text, f)); };
  for (const LookLine& line : lines)
    for (std::string& text : wrap_text(line.text, static_cast<float>(look.width * wa / 100.0), at_size)) {
      double width = measure(text, f);
      rows.push_back({std::move(text), line.colour, width});
    }
  layout.rows = rows.size();

  double bottom = area.y0 + ha - look.position * ha / 100.0;
  double first = bottom - static_cast<double>(rows.size()) * v;
  double middle = (area.x0 + area.x1) / 2;
  auto row_x = [&](const Row& row) { return middle - row.width / 2; };
  auto row_y = [&](size_t i) { return first + static_cast<double>(i) * v; };

  if (look.background > 0) {
    Colour shade = editor_colors::rgba(0, 0, 0, look.background * 255 / 100);
    if (look.box == 1) {
      double widest = 0;
      for (const Row& row : rows) widest = std::max(widest, row.width);
      double side = block_side * shade_side * f;
      layout.shading.push_back({{middle - widest / 2 - side, first - block_above * shade_above * f,
                                 middle + widest / 2 + side, bottom + block_below * shade_above * f},
                                block_rounding * f,
                                shade});
    } else {
      for (size_t i = 0; i < rows.size(); ++i) {
        double x = row_x(rows[i]);
        double y = row_y(i);
        layout.shading.push_back(
            {{x - shade_side * f, y - shade_above * f, x + rows[i].width + shade_side * f, y + v - shade_above * f},
             row_rounding * f,
             shade});
      }
    }
  }

  double e = std::max(1.0, f / 22);
  for (size_t i = 0; i < rows.size(); ++i) {
    double x = row_x(rows[i]);
    double y = row_y(i);
    if (look.edge == 1) {
      layout.texts.push_back({rows[i].text, x + e, y + e, editor_colors::rgba(0, 0, 0, shadow_alpha)});
    } else if (look.edge == 2) {
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
          if (dx != 0 || dy != 0)
            layout.texts.push_back({rows[i].text, x + dx * e, y + dy * e, editor_colors::rgba(0, 0, 0, outline_alpha)});
    }
    layout.texts.push_back({rows[i].text, x, y, rows[i].colour});
  }
  return layout;
}

}  // namespace korvix
