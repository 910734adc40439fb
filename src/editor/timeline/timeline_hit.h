// What the mouse is over in the timeline's lines band, and where a dragged
// time snaps to.
#pragma once

#include <cstdint>
#include <vector>

#include "editor/timeline/timeline_view.h"
#include "subtitles/subtitle_file.h"

namespace korvix {

enum class DragMode : int { none = 0, scrub = 1, start_edge = 2, end_edge = 3, move = 4, boundary = 5 };

// Which side of a shared boundary a drag moves: the first line's end, the
// second line's start, or both.
enum class BoundarySide : int { both = 0, left = -1, right = 1 };

struct TimelineHit {
  DragMode mode = DragMode::none;
  int line = -1;  // for a boundary, the first of the two lines
  // Set when the hit came from a shared boundary (its diamond lights up).
  int boundary = -1;  // the first line of the pair
  BoundarySide side = BoundarySide::both;
  bool operator==(const TimelineHit&) const = default;
};

inline constexpr double edge_tolerance_px = 6;  // T at scale 1
inline constexpr double snap_distance_px = 7;
inline constexpr double boundary_middle_share = 0.6;  // of T: the middle grabs both lines

// Two neighbouring lines whose times lie within 2 × T on screen share a
// boundary handle, in the middle of the two.
bool shares_boundary(const TimeAxis& axis, const SubtitleLine& before, const SubtitleLine& after, double tolerance);
double boundary_x(const TimeAxis& axis, const SubtitleLine& before, const SubtitleLine& after);

// The right edge of a line's box: at least 2 pixels after its start, so a
// line of no length (or one ending before it starts) can still be seen and
// grabbed.
double box_right(const TimeAxis& axis, const SubtitleLine& line);

// The hit at mouse x, the mouse being inside the lines band: shared
// boundaries first (the first pair in order wins; its middle 0.6 × T grabs
// both, further left the first line's end, further right the second's
// start); then, from the last line back, the first whose box widened by T
// holds the mouse: its start edge, its end edge, or its body.
TimelineHit hit_test(const std::vector<SubtitleLine>& lines, const TimeAxis& axis, double mouse_x, double tolerance);

// Hovering or dragging these shows the left-right resize cursor.
constexpr bool resizes(DragMode mode) {
  return mode == DragMode::start_edge || mode == DragMode::end_edge || mode == DragMode::boundary;
}

struct SnapTargets {
  const std::vector<SubtitleLine>* lines = nullptr;
  double playhead_ms = 0;       // the playhead when the drag began
  double distance_ms = 0;       // 7 × scale pixels in time
  int skipped_line = -1;        // the dragged line
  bool skip_next_line = false;  // a shared boundary: the line after it too
  bool off = false;             // Alt held
};

// Where `ms` snaps to: the drag's playhead when nearer than the snap
// distance, else any other line's end or start strictly nearer than the best
// so far (an end only when also strictly nearer than its own start). On equal
// distance the playhead beats line edges, an earlier line a later one, and a
// line's start its own end.
double snap_time(const SnapTargets& targets, double ms);

}  // namespace korvix
