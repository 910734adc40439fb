// The timeline and its overview strip as plain draw records: bands, ruler
// ticks with their labels, waveform columns, line boxes with labels, boundary
// handles and the playhead, each with its rectangle and colour. The drawing
// code walks these lists; hit tests and tests read the same numbers.
//
// Sizes are pixels at scale 1 times the editor scale; s is the row unit.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "editor/style/editor_colors.h"
#include "editor/style/editor_sizes.h"
#include "editor/timeline/timeline_hit.h"
#include "editor/timeline/timeline_view.h"
#include "subtitles/subtitle_file.h"

namespace korvix {

struct DecodedSound;

struct Box {
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  double width() const { return x1 - x0; }
  double height() const { return y1 - y0; }
  bool contains(double x, double y) const { return x >= x0 && x < x1 && y >= y0 && y < y1; }
  bool operator==(const Box&) const = default;
};

inline constexpr double timeline_min_width = 100;
inline constexpr double ruler_band_rows = 1.2;  // in units of s
inline constexpr double lines_band_rows = 2.2;
inline constexpr double wave_band_rows = 4.5;

struct TimelineBands {
  Box whole, ruler, lines, wave;
};
// The three bands, top to bottom, over the full width (at least 100).
TimelineBands timeline_bands(double left, double top, double width, double s);

// The first of 100 ms .. 1 hour, then hours doubled, whose ticks lie at
// least 4.5 × s apart on screen: a ruler never holds more ticks than fit.
double ruler_step_ms(const TimeAxis& axis, double s);

struct RulerTick {
  double x = 0;
  double ms = 0;
  std::string label;  // the coarse time format, with the decimals ticks under a second apart need
};
// A tick at every multiple of the step within the view.
std::vector<RulerTick> ruler_ticks(const TimeAxis& axis, double s);

struct WaveColumn {
  double x = 0;   // the column's left pixel
  double y0 = 0;  // top
  double y1 = 0;  // bottom, at least 1 below the top
};
// One column per pixel where it lies inside the sound: its lowest and highest
// value from the peak table when the column spans a slice or more, else from
// the frames themselves; centred in the band, 0.46 × its height per unit.
std::vector<WaveColumn> wave_columns(const DecodedSound& sound, const TimeAxis& axis, const Box& band);

struct LineBox {
  int line = -1;
  Box box;     // in the lines band
  Box column;  // the same span over the waveform band
  Colour fill = 0, column_fill = 0, outline = 0;
  double outline_width = 1;
  std::string label;
  Box label_clip;
  double label_x = 0, label_y = 0;
  Colour label_colour = 0;
};

struct BoundaryHandle {
  int first_line = -1;  // the line before the boundary
  double x = 0, y = 0;  // the diamond's centre
  double half = 0;      // half its size
  Colour colour = 0;
  bool lit = false;  // hovered or grabbed
  // When lit: the side a drag moves, the edge it moves (3 wide, over the
  // lines band's box height) and the arrow pointing its way.
  BoundarySide side = BoundarySide::both;
  std::vector<double> edge_xs;
};

struct TimelineInput {
  const SubtitleClip* clip = nullptr;
  const DecodedSound* sound = nullptr;  // when ready
  TimeAxis axis;
  double top = 0;
  EditorSizes sizes;
  int picked_line = -1;
  double playhead_ms = 0;
  TimelineHit lit;                // hovered or grabbed, for the handles
  std::optional<double> hover_x;  // the mouse over the timeline, nothing dragged
};

struct TimelineLayout {
  TimelineBands bands;
  std::vector<RulerTick> ticks;
  double tick_top = 0;  // ticks run from here to the ruler's bottom
  std::vector<WaveColumn> wave;
  std::vector<LineBox> boxes;  // only those within the view
  std::vector<BoundaryHandle> handles;
  double playhead_x = 0;
  std::optional<double> hover_x;
};

TimelineLayout layout_timeline(const TimelineInput& input);

inline constexpr double overview_height = 11;
inline constexpr double overview_bar_height = 7;

struct OverviewBox {
  Box box;
  Colour colour = 0;
};
struct OverviewLayout {
  Box strip;  // 0 .. D over the full width
  Box bar;
  std::vector<OverviewBox> lines;
  Box view_frame;
  double playhead_x = 0;
};
OverviewLayout layout_overview(const SubtitleClip& clip, double span_ms, const TimelineView& view, double playhead_ms,
                               double left, double top, double width, const EditorSizes& sizes);
// The time under x on the overview strip, within 0 .. D.
double overview_time_at(double x, double left, double width, double span_ms);

}  // namespace korvix
