#include "editor/timeline/timeline_layout.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "editor/media/decoded_sound.h"
#include "editor/document/line_rules.h"
#include "editor/document/time_text.h"

namespace korvix {

namespace {

constexpr std::array<double, 15> tick_steps_ms = {100,   250,   500,    1000,   2000,   5000,    10000,  15000,
                                                  30000, 60000, 120000, 300000, 600000, 1800000, 3600000};
// Past the table the step doubles, up to far beyond any time a file can hold.
constexpr double tick_step_max_ms = 3600000.0 * (1 << 20);
constexpr double tick_spacing_rows = 4.5;
constexpr double tick_top_share = 0.55;
constexpr double wave_amplitude_share = 0.46;
constexpr double box_inset = 3;
constexpr double label_inset = 3;
constexpr double label_indent = 5;
constexpr double handle_half = 3.5;
constexpr double handle_half_lit = 5;

Colour line_fill(int speaker, bool picked) {
  return editor_colors::with_alpha(editor_colors::speaker(speaker), picked ? 150 : 70);
}

}  // namespace

TimelineBands timeline_bands(double left, double top, double width, double s) {
  width = std::max(width, timeline_min_width);
  double right = left + width;
  double ruler_bottom = top + ruler_band_rows * s;
  double lines_bottom = ruler_bottom + lines_band_rows * s;
  double wave_bottom = lines_bottom + wave_band_rows * s;
  return {{left, top, right, wave_bottom},
          {left, top, right, ruler_bottom},
          {left, ruler_bottom, right, lines_bottom},
          {left, lines_bottom, right, wave_bottom}};
}

double ruler_step_ms(const TimeAxis& axis, double s) {
  auto far_enough = [&](double step) { return step / axis.ms_per_pixel() >= tick_spacing_rows * s; };
  for (double step : tick_steps_ms)
    if (far_enough(step)) return step;
  double step = tick_steps_ms.back();
  while (!far_enough(step) && step < tick_step_max_ms) step *= 2;
  return step;
}

std::vector<RulerTick> ruler_ticks(const TimeAxis& axis, double s) {
  double step = ruler_step_ms(axis, s);
  std::vector<RulerTick> ticks;
  double end = axis.start_ms + axis.width_ms;
  for (double k = std::ceil(std::max(0.0, axis.start_ms) / step); k * step <= end; ++k) {
    double ms = k * step;
    ticks.push_back({axis.x_of(ms), ms, format_tick_time(ms)});
  }
  return ticks;
}

std::vector<WaveColumn> wave_columns(const DecodedSound& sound, const TimeAxis& axis, const Box& band) {
  std::vector<WaveColumn> columns;
  if (sound.frames == 0) return columns;
  double frames = static_cast<double>(sound.frames);
  double frames_per_ms = sound.rate / 1000.0;
  double slice_frames = frames / sound_peak_slices;
  double centre = (band.y0 + band.y1) / 2;
  double amplitude = wave_amplitude_share * band.height();
  int count = static_cast<int>(axis.width);
  columns.reserve(static_cast<size_t>(std::max(count, 0)));
  for (int c = 0; c < count; ++c) {
    double x = axis.left + c;
    double f0 = std::floor(axis.time_at(x) * frames_per_ms);
    double f1 = std::floor(axis.time_at(x + 1) * frames_per_ms);
    if (f1 <= 0 || f0 >= frames) continue;
    f0 = std::max(f0, 0.0);
    f1 = std::min(std::max(f1, f0 + 1), frames);
    SoundPeak peak;
    if (f1 - f0 >= slice_frames) {
      // Every slice the column touches.
      size_t first = static_cast<size_t>(f0 / frames * sound_peak_slices);
      size_t last = static_cast<size_t>(std::ceil(f1 / frames * sound_peak_slices));
      last = std::clamp(last, first + 1, sound_peak_slices);
      for (size_t i = first; i < last; ++i) {
        peak.min = std::min(peak.min, sound.peaks[i].min);
        peak.max = std::max(peak.max, sound.peaks[i].max);
      }
    } else {
      peak = range_peak(sound, static_cast<uint64_t>(f0), static_cast<uint64_t>(f1));
    }
    double high = std::clamp<double>(peak.max, -1, 1);
    double low = std::clamp<double>(peak.min, -1, 1);
    double y0 = centre - high * amplitude;
    double y1 = std::max(centre - low * amplitude, y0 + 1);
    columns.push_back({x, y0, y1});
  }
  return columns;
}

namespace {

std::vector<LineBox> line_boxes(const TimelineInput& input, const TimelineBands& bands) {
  std::vector<LineBox> boxes;
  const SubtitleClip& clip = *input.clip;
  double inset = input.sizes.px(box_inset);
  double s = input.sizes.s;
  for (size_t i = 0; i < clip.lines.size(); ++i) {
    const SubtitleLine& line = clip.lines[i];
    double x0 = input.axis.x_of(line.start_ms);
    double x1 = box_right(input.axis, line);
    if (x1 < bands.whole.x0 || x0 > bands.whole.x1) continue;
    bool picked = static_cast<int>(i) == input.picked_line;
    LineBox box;
    box.line = static_cast<int>(i);
    box.box = {x0, bands.lines.y0 + inset, x1, bands.lines.y1 - inset};
    box.column = {x0, bands.wave.y0, x1, bands.wave.y1};
    box.fill = line_fill(line.speaker, picked);
    box.column_fill = editor_colors::with_alpha(editor_colors::speaker(line.speaker), picked ? 34 : 14);
    if (line_is_wrong(clip, i)) {
      box.outline = editor_colors::warning;
      box.outline_width = 2;
    } else if (picked) {
      box.outline = editor_colors::accent;
      box.outline_width = 2;
    } else {
      box.outline = editor_colors::with_alpha(editor_colors::speaker(line.speaker), 200);
      box.outline_width = 1;
    }
    box.label = line_label(clip, i);
    double label_gap = input.sizes.px(label_inset);
    box.label_clip = {x0 + label_gap, box.box.y0, x1 - label_gap, box.box.y1};
    box.label_x = x0 + input.sizes.px(label_indent);
    box.label_y = (box.box.y0 + box.box.y1) / 2 - s / 2;
    box.label_colour = picked ? editor_colors::white : editor_colors::with_alpha(editor_colors::white, 209);
    boxes.push_back(std::move(box));
  }
  return boxes;
}

std::vector<BoundaryHandle> boundary_handles(const TimelineInput& input, const TimelineBands& bands) {
  std::vector<BoundaryHandle> handles;
  const std::vector<SubtitleLine>& lines = input.clip->lines;
  double tolerance = input.sizes.px(edge_tolerance_px);
  for (size_t i = 0; i + 1 < lines.size(); ++i) {
    if (!shares_boundary(input.axis, lines[i], lines[i + 1], tolerance)) continue;
    BoundaryHandle handle;
    handle.first_line = static_cast<int>(i);
    handle.x = boundary_x(input.axis, lines[i], lines[i + 1]);
    if (handle.x < bands.whole.x0 - tolerance || handle.x > bands.whole.x1 + tolerance) continue;
    handle.y = (bands.lines.y0 + bands.lines.y1) / 2;
    handle.lit = input.lit.boundary == handle.first_line;
    handle.half = input.sizes.px(handle.lit ? handle_half_lit : handle_half);
    handle.colour = handle.lit ? editor_colors::accent : editor_colors::with_alpha(editor_colors::white, 150);
    if (handle.lit) {
      handle.side = input.lit.side;
      double left_edge = input.axis.x_of(lines[i].end_ms);
      double right_edge = input.axis.x_of(lines[i + 1].start_ms);
      if (handle.side != BoundarySide::right) handle.edge_xs.push_back(left_edge);
      if (handle.side != BoundarySide::left) handle.edge_xs.push_back(right_edge);
    }
    handles.push_back(std::move(handle));
  }
  return handles;
}

}  // namespace

TimelineLayout layout_timeline(const TimelineInput& input) {
  TimelineLayout layout;
  double s = input.sizes.s;
  layout.bands = timeline_bands(input.axis.left, input.top, input.axis.width, s);
  layout.ticks = ruler_ticks(input.axis, s);
  layout.tick_top = layout.bands.ruler.y0 + tick_top_share * layout.bands.ruler.height();
  if (input.sound) layout.wave = wave_columns(*input.sound, input.axis, layout.bands.wave);
  if (input.clip) {
    layout.boxes = line_boxes(input, layout.bands);
    layout.handles = boundary_handles(input, layout.bands);
  }
  layout.playhead_x = input.axis.x_of(input.playhead_ms);
  layout.hover_x = input.hover_x;
  return layout;
}

double overview_time_at(double x, double left, double width, double span_ms) {
  return std::clamp((x - left) / std::max(width, 1.0) * span_ms, 0.0, span_ms);
}

OverviewLayout layout_overview(const SubtitleClip& clip, double span_ms, const TimelineView& view, double playhead_ms,
                               double left, double top, double width, const EditorSizes& sizes) {
  OverviewLayout layout;
  double height = sizes.px(overview_height);
  double bar_height = sizes.px(overview_bar_height);
  layout.strip = {left, top, left + width, top + height};
  double bar_top = top + (height - bar_height) / 2;
  layout.bar = {left, bar_top, left + width, bar_top + bar_height};
  auto x_of = [&](double ms) { return left + ms / span_ms * width; };
  for (const SubtitleLine& line : clip.lines) {
    double x0 = x_of(line.start_ms);
    double x1 = std::max(x0 + 1, x_of(line.end_ms));
    layout.lines.push_back(
        {{x0, layout.bar.y0, x1, layout.bar.y1}, editor_colors::with_alpha(editor_colors::speaker(line.speaker), 90)});
  }
  layout.view_frame = {x_of(view.start_ms), top, x_of(view.start_ms + view.width_ms), top + height};
  layout.playhead_x = x_of(playhead_ms);
  return layout;
}

}  // namespace korvix
