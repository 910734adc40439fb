#include "editor/timeline/timeline_hit.h"

#include <algorithm>
#include <cmath>

namespace korvix {

bool shares_boundary(const TimeAxis& axis, const SubtitleLine& before, const SubtitleLine& after, double tolerance) {
  return std::fabs(axis.x_of(after.start_ms) - axis.x_of(before.end_ms)) <= 2 * tolerance;
}

double boundary_x(const TimeAxis& axis, const SubtitleLine& before, const SubtitleLine& after) {
  return (axis.x_of(before.end_ms) + axis.x_of(after.start_ms)) / 2;
}

double box_right(const TimeAxis& axis, const SubtitleLine& line) {
  return std::max(axis.x_of(line.start_ms) + 2, axis.x_of(line.end_ms));
}

TimelineHit hit_test(const std::vector<SubtitleLine>& lines, const TimeAxis& axis, double mouse_x, double tolerance) {
  for (size_t i = 0; i + 1 < lines.size(); ++i) {
    if (!shares_boundary(axis, lines[i], lines[i + 1], tolerance)) continue;
    double middle = boundary_x(axis, lines[i], lines[i + 1]);
    double off = mouse_x - middle;
    if (std::fabs(off) > 2 * tolerance) continue;
    int first = static_cast<int>(i);
    if (std::fabs(off) <= boundary_middle_share * tolerance)
      return {DragMode::boundary, first, first, BoundarySide::both};
    if (off < 0) return {DragMode::end_edge, first, first, BoundarySide::left};
    return {DragMode::start_edge, first + 1, first, BoundarySide::right};
  }
  for (size_t i = lines.size(); i-- > 0;) {
    double left = axis.x_of(lines[i].start_ms);
    double right = box_right(axis, lines[i]);
    if (mouse_x < left - tolerance || mouse_x > right + tolerance) continue;
    int line = static_cast<int>(i);
    if (std::fabs(mouse_x - left) <= tolerance) return {DragMode::start_edge, line};
    if (std::fabs(mouse_x - axis.x_of(lines[i].end_ms)) <= tolerance) return {DragMode::end_edge, line};
    return {DragMode::move, line};
  }
  return {};
}

double snap_time(const SnapTargets& targets, double ms) {
  if (targets.off) return ms;
  double result = ms;
  double best = targets.distance_ms;
  double to_playhead = std::fabs(targets.playhead_ms - ms);
  if (to_playhead < best) {
    result = targets.playhead_ms;
    best = to_playhead;
  }
  if (!targets.lines) return result;
  const std::vector<SubtitleLine>& lines = *targets.lines;
  for (size_t i = 0; i < lines.size(); ++i) {
    int index = static_cast<int>(i);
    if (index == targets.skipped_line || (targets.skip_next_line && index == targets.skipped_line + 1)) continue;
    double to_end = std::fabs(lines[i].end_ms - ms);
    double to_start = std::fabs(lines[i].start_ms - ms);
    if (to_end < best && to_end < to_start) {
      result = lines[i].end_ms;
      best = to_end;
    } else if (to_start < best) {
      result = lines[i].start_ms;
      best = to_start;
    }
  }
  return result;
}

}  // namespace korvix
