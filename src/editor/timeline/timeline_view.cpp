#include "editor/timeline/timeline_view.h"

#include <algorithm>
#include <cmath>

#include "editor/media/decoded_sound.h"

namespace korvix {

double total_span_ms(const SubtitleClip& clip, const DecodedSound* sound) {
  double span = std::max(span_min_ms, static_cast<double>(clip.length_ms));
  if (sound) span = std::max(span, sound->length_ms());
  for (const SubtitleLine& line : clip.lines) {
    int64_t last = std::max<int64_t>(line.start_ms, line.end_ms) + span_margin_ms;
    span = std::max(span, static_cast<double>(last));
  }
  return span;
}

double clamp_view_start(double start_ms, double width_ms, double span_ms) {
  double latest = std::max(0.0, span_ms - width_ms);
  if (!(start_ms > 0)) return 0;  // negative or not a number
  return std::min(start_ms, latest);
}

TimelineView fitted_view(TimelineView view, double span_ms) {
  if (!(view.width_ms > 0) || view.width_ms > span_ms) {
    view.start_ms = 0;
    view.width_ms = span_ms;
  } else {
    view.width_ms = std::clamp(view.width_ms, std::min(view_width_min_ms, span_ms), span_ms);
  }
  view.start_ms = clamp_view_start(view.start_ms, view.width_ms, span_ms);
  return view;
}

TimelineView zoom_view(TimelineView view, double notches, double mouse_x, double left, double width, double span_ms) {
  TimeAxis axis{left, width, view.start_ms, view.width_ms};
  double under_mouse = axis.time_at(mouse_x);
  double new_width =
      std::clamp(std::pow(zoom_per_notch, notches) * view.width_ms, std::min(view_width_min_ms, span_ms), span_ms);
  view.start_ms = clamp_view_start(under_mouse - (mouse_x - left) / width * new_width, new_width, span_ms);
  view.width_ms = new_width;
  return view;
}

TimelineView pan_view(TimelineView view, double notches, double span_ms) {
  view.start_ms = clamp_view_start(view.start_ms - notches * view.width_ms * pan_per_notch, view.width_ms, span_ms);
  return view;
}

TimelineView follow_playhead(TimelineView view, double playhead_ms, double span_ms) {
  if (playhead_ms > view.start_ms + follow_at * view.width_ms || playhead_ms < view.start_ms)
    view.start_ms = clamp_view_start(playhead_ms - follow_lead * view.width_ms, view.width_ms, span_ms);
  return view;
}

TimelineView edge_scroll(TimelineView view, double mouse_x, double left, double width, double span_ms) {
  double step = edge_scroll_per_frame * view.width_ms;
  if (mouse_x > left + width)
    view.start_ms += step;
  else if (mouse_x < left)
    view.start_ms -= step;
  else
    return view;
  view.start_ms = clamp_view_start(view.start_ms, view.width_ms, span_ms);
  return view;
}

TimelineView centre_view_on(TimelineView view, double ms, double span_ms) {
  view.start_ms = clamp_view_start(ms - view.width_ms / 2, view.width_ms, span_ms);
  return view;
}

}  // namespace korvix
