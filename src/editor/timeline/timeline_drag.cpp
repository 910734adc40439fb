#include "editor/timeline/timeline_drag.h"

#include <algorithm>
#include <cmath>

#include "editor/document/editor_document.h"

namespace korvix {

namespace {

int64_t truncated(double ms) {
  // Every caller's time is within 0 .. D or a line's time, far inside 64 bits.
  return static_cast<int64_t>(std::trunc(ms));
}

}  // namespace

int64_t clamp_low_wins(int64_t value, int64_t low, int64_t high) { return std::max(low, std::min(value, high)); }

int64_t dragged_start(int64_t t, int64_t end) { return clamp_low_wins(t, 0, end - line_min_ms); }

int64_t dragged_end(int64_t t, int64_t start, int64_t span) { return clamp_low_wins(t, start + line_min_ms, span); }

int64_t dragged_boundary(int64_t t, int64_t first_start, int64_t second_end) {
  return clamp_low_wins(t, first_start + line_min_ms, second_end - line_min_ms);
}

int64_t moved_start(int64_t p, double start_shift, double end_shift, int64_t length, int64_t span) {
  bool use_end = start_shift == 0 || (end_shift != 0 && std::fabs(end_shift) < std::fabs(start_shift));
  int64_t start = truncated(static_cast<double>(p) + (use_end ? end_shift : start_shift));
  // A line that ends before it starts keeps its end at 0 or later.
  return clamp_low_wins(start, std::max<int64_t>(0, -length), span - std::max<int64_t>(0, length));
}

bool TimelineDrag::active() const { return mode_ != DragMode::none && clip_serial_ == document_.selection_serial(); }

bool TimelineDrag::press(const TimelineFrame& frame, const TimelineHit& hit, bool double_click, bool in_lines_band) {
  const SubtitleClip* clip = document_.selected();
  if (!clip) return false;
  double t = std::clamp(frame.mouse_ms, 0.0, frame.span_ms);
  clip_serial_ = document_.selection_serial();
  if (hit.mode == DragMode::none || hit.line < 0 || static_cast<size_t>(hit.line) >= clip->lines.size()) {
    if (double_click && in_lines_band) return document_.add_line_at(frame.mouse_ms);
    resume_after_scrub_ = player_.playing();
    player_.pause();
    player_.scrub_to(t);
    mode_ = DragMode::scrub;
    return false;
  }
  const SubtitleLine& line = clip->lines[static_cast<size_t>(hit.line)];
  if (double_click && hit.mode == DragMode::move) {
    document_.playhead_ms = line.start_ms;
    player_.play();
    return false;
  }
  mode_ = hit.mode;
  line_ = hit.line;
  span_ms_ = frame.span_ms;
  boundary_ = hit.boundary;
  side_ = hit.side;
  document_.picked_line = hit.line;
  grab_offset_ms_ = frame.mouse_ms - line.start_ms;
  snap_playhead_ms_ = document_.playhead_ms;
  document_.begin_edit(timeline_drag_owner);
  return false;
}

bool TimelineDrag::hold(const TimelineFrame& frame, bool alt) {
  if (!active()) return false;
  if (mode_ == DragMode::scrub) {
    double t = std::clamp(frame.mouse_ms, 0.0, frame.span_ms);
    if (std::fabs(t - player_.last_scrub_ms()) > frame.axis.ms_per_pixel() * 0.5) player_.scrub_to(t);
    return false;
  }
  return drag_line(frame, alt);
}

bool TimelineDrag::drag_line(const TimelineFrame& frame, bool alt) {
  const SubtitleClip* clip = document_.selected();
  size_t count = clip ? clip->lines.size() : 0;
  size_t index = static_cast<size_t>(line_);
  // The lines changed under the drag (an undo): it ends here.
  if (line_ < 0 || index >= count || (mode_ == DragMode::boundary && index + 1 >= count)) {
    mode_ = DragMode::none;
    return false;
  }
  const SubtitleLine& line = clip->lines[index];
  int64_t start = line.start_ms;
  int64_t end = line.end_ms;
  int64_t span = truncated(span_ms_);
  double t = std::clamp(frame.mouse_ms, 0.0, span_ms_);
  SnapTargets targets{
      &clip->lines, snap_playhead_ms_,           frame.sizes.px(snap_distance_px) * frame.axis.ms_per_pixel(),
      line_,        mode_ == DragMode::boundary, alt};
  auto snap = [&](double ms) { return snap_time(targets, ms); };

  bool changed = false;
  double heard_at = -1;
  switch (mode_) {
    case DragMode::start_edge:
      start = dragged_start(truncated(snap(t)), end);
      changed = document_.set_line_span(line_, start, end);
      heard_at = static_cast<double>(start);
      break;
    case DragMode::end_edge:
      end = dragged_end(truncated(snap(t)), start, span);
      changed = document_.set_line_span(line_, start, end);
      // Heard up to the end as stored: the file's times stop at 2^32 - 1, D may go past it.
      heard_at = std::max(0.0, static_cast<double>(clip->lines[index].end_ms) - scrub_sound_ms);
      break;
    case DragMode::boundary: {
      int64_t next_end = clip->lines[index + 1].end_ms;
      int64_t b = dragged_boundary(truncated(snap(t)), start, next_end);
      changed = document_.set_line_span(line_, start, b);
      changed = document_.set_line_span(line_ + 1, b, next_end) || changed;
      heard_at = static_cast<double>(b);
      break;
    }
    case DragMode::move: {
      int64_t length = end - start;
      int64_t p = truncated(t - grab_offset_ms_);
      double p_ms = static_cast<double>(p);
      double start_shift = snap(p_ms) - p_ms;
      double end_shift = snap(p_ms + static_cast<double>(length)) - (p_ms + static_cast<double>(length));
      int64_t new_start = moved_start(p, start_shift, end_shift, length, span);
      changed = document_.set_line_span(line_, new_start, new_start + length);
      break;
    }
    default:
      break;
  }
  if (changed && heard_at >= 0) player_.scrub_to(heard_at);
  return changed;
}

void TimelineDrag::release() {
  DragMode mode = this->mode();
  mode_ = DragMode::none;
  line_ = -1;
  boundary_ = -1;
  side_ = BoundarySide::both;
  if (mode == DragMode::scrub) {
    if (resume_after_scrub_) player_.play();
    resume_after_scrub_ = false;
    return;
  }
  if (mode == DragMode::none) return;
  document_.sort_lines_by_start();
  document_.end_edit(timeline_drag_owner);
}

}  // namespace korvix
