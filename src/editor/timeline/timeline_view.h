// The part of a clip the timeline shows, and how it moves: the total span,
// fitting, clamping, zooming about the pointer, panning, following the
// playhead, and the mapping between times and screen columns.
//
// The view is two doubles in milliseconds, kept in the document (a width of 0
// means "fit the whole clip on the next frame").
#pragma once

#include <cstdint>

#include "subtitles/subtitle_file.h"

namespace korvix {

struct DecodedSound;

inline constexpr double view_width_min_ms = 300;
inline constexpr double span_min_ms = 1000;
inline constexpr int64_t span_margin_ms = 250;  // room after the last line
inline constexpr double zoom_per_notch = 0.8;   // one notch forward shows 80 % as much
inline constexpr double pan_per_notch = 0.12;   // of the view's width
inline constexpr double follow_at = 0.95;       // the playhead passing this share of the view...
inline constexpr double follow_lead = 0.05;     // ...puts it this far into the next one
inline constexpr double edge_scroll_per_frame = 0.02;

// The total span D: the largest of 1000 ms, the clip's length, the sound's
// length and, for every line, its end and its start (a line may end before it
// starts) plus 250. Sums are taken in 64 bits.
double total_span_ms(const SubtitleClip& clip, const DecodedSound* sound);

struct TimelineView {
  double start_ms = 0;
  double width_ms = 0;  // 0: fit
};

// A width of 0 (or not a number, or above D) shows all of D; any other width
// is kept within 300 .. D; then the start is clamped.
TimelineView fitted_view(TimelineView view, double span_ms);
// The start kept within 0 .. max(0, D − width).
double clamp_view_start(double start_ms, double width_ms, double span_ms);

// Times and x positions over a strip `width` pixels wide starting at `left`.
struct TimeAxis {
  double left = 0;
  double width = 100;  // at least 1
  double start_ms = 0;
  double width_ms = 1;

  double x_of(double ms) const { return left + (ms - start_ms) / width_ms * width; }
  double time_at(double x) const { return start_ms + (x - left) / width * width_ms; }
  double ms_per_pixel() const { return width_ms / width; }
};

// The wheel over the timeline, `notches` forward (negative: back): zooms
// about the time under `mouse_x`, width within 300 .. D.
TimelineView zoom_view(TimelineView view, double notches, double mouse_x, double left, double width, double span_ms);
// Shift+wheel or a horizontal wheel: moves the view back by notches × 12 %.
TimelineView pan_view(TimelineView view, double notches, double span_ms);
// While playing: the playhead past 95 % of the view, or before it, brings the
// view along so that it sits at 5 %.
TimelineView follow_playhead(TimelineView view, double playhead_ms, double span_ms);
// While a drag is held with the mouse beyond an edge of the timeline, the
// view slides that way by 2 % of its width each frame.
TimelineView edge_scroll(TimelineView view, double mouse_x, double left, double width, double span_ms);
// A press or drag on the overview strip centres the view on that time.
TimelineView centre_view_on(TimelineView view, double ms, double span_ms);

}  // namespace korvix
