#include "editor/preview/preview_layout.h"

#include <algorithm>

#include "editor/document/line_rules.h"
#include "ui/text_fit.h"

namespace korvix {

namespace {

constexpr double plain_font_rows = 1.25;  // of s
constexpr double plain_wrap_share = 0.95;
constexpr double plain_top_gap = 2;
constexpr double plain_shadow = 2;

}  // namespace

double preview_box_height(std::optional<PictureSize> picture, double share, double window_height, double box_width,
                          double room_left, double s) {
  if (!picture || picture->width <= 0 || picture->height <= 0) return preview_plain_rows * s;
  double at_full_width = box_width * picture->height / picture->width;
  double height = std::min({share * window_height, at_full_width, room_left - preview_room_rows * s});
  return std::max(height, preview_min_rows * s);
}

Box picture_rect(const Box& box, PictureSize picture) {
  if (picture.width <= 0 || picture.height <= 0) return {};
  double scale = std::min(box.height() / picture.height, box.width() / picture.width);
  double w = picture.width * scale;
  double h = picture.height * scale;
  double x = box.x0 + (box.width() - w) / 2;
  double y = box.y0 + (box.height() - h) / 2;
  return {x, y, x + w, y + h};
}

Box widest_16_9(const Box& box) {
  double w = std::min(box.width(), box.height() * 16.0 / 9.0);
  double h = w * 9.0 / 16.0;
  double x = box.x0 + (box.width() - w) / 2;
  double y = box.y0 + (box.height() - h) / 2;
  return {x, y, x + w, y + h};
}

std::vector<size_t> lines_under(const SubtitleClip& clip, double playhead_ms) {
  std::vector<size_t> under;
  for (size_t i = 0; i < clip.lines.size() && under.size() < preview_lines_max; ++i)
    if (under_playhead(clip.lines[i], playhead_ms)) under.push_back(i);
  return under;
}

std::vector<LookLine> look_lines(const SubtitleClip& clip, const std::vector<size_t>& lines,
                                 const GameLookSettings& look) {
  std::vector<LookLine> shown;
  for (size_t i : lines) {
    const SubtitleLine& line = clip.lines[i];
    shown.push_back({look.speaker_names ? line_label(clip, i) : line.text,
                     look.speaker_colours ? editor_colors::speaker(line.speaker) : editor_colors::white});
  }
  return shown;
}

PlainPreview layout_plain_preview(const Box& box, const SubtitleClip& clip, const std::vector<size_t>& lines, double s,
                                  const MeasureAt& measure) {
  PlainPreview plain;
  if (lines.empty()) {
    plain.font_size = s;
    double w = measure(no_line_here, s);
    plain.texts.push_back({no_line_here, (box.x0 + box.x1 - w) / 2, (box.y0 + box.y1 - s) / 2, editor_colors::dim});
    return plain;
  }
  double f = plain_font_rows * s;
  double gap = look_row_gap * f;
  plain.font_size = f;
  MeasureText at_size = [&](std::string_view text) { return static_cast<float>(measure(text, f)); };
  struct Row {
    std::string text;
    Colour colour;
  };
  std::vector<Row> rows;
  for (size_t i : lines)
    for (std::string& text :
         wrap_text(line_label(clip, i), static_cast<float>(plain_wrap_share * box.width()), at_size))
      rows.push_back({std::move(text), editor_colors::speaker(clip.lines[i].speaker)});
  double block = static_cast<double>(rows.size()) * gap;
  double top = std::max(box.y0 + plain_top_gap, (box.y0 + box.y1 - block) / 2);
  for (size_t r = 0; r < rows.size(); ++r) {
    double x = (box.x0 + box.x1 - measure(rows[r].text, f)) / 2;
    double y = top + static_cast<double>(r) * gap;
    plain.texts.push_back({rows[r].text, x + plain_shadow, y + plain_shadow, editor_colors::rgba(0, 0, 0)});
    plain.texts.push_back({rows[r].text, x, y, rows[r].colour});
  }
  return plain;
}

float dragged_preview_share(float share, double mouse_dy, double window_height) {
  if (window_height <= 0) return share;
  return std::clamp(static_cast<float>(share + mouse_dy / window_height), preview_share_min, preview_share_max);
}

}  // namespace korvix
