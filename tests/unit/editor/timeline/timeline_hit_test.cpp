#include <gtest/gtest.h>

#include <vector>

#include "editor/timeline/timeline_hit.h"

namespace korvix {
namespace {

// 1000 px from x = 0 showing 0 .. 10 s: 10 ms per pixel.
const TimeAxis axis{0, 1000, 0, 10000};

TEST(TimelineHit, SharedBoundariesFirstThenTheLaterLinesFirst) {
  using enum DragMode;
  using enum BoundarySide;
  // Lines touching at 2000 ms (x 200), then a lone line from 5000 to 6000.
  const std::vector<SubtitleLine> touching = {{1000, 2000, "a", 0}, {2000, 3000, "b", 1}, {5000, 6000, "c", 0}};
  // 13 px apart on screen: two separate edges; 12 px: one handle between them.
  const std::vector<SubtitleLine> apart_13 = {{1000, 2000, "a", 0}, {2130, 3000, "b", 0}};
  const std::vector<SubtitleLine> apart_12 = {{1000, 2000, "a", 0}, {2120, 3000, "b", 0}};
  const std::vector<SubtitleLine> overlapping = {{1000, 4000, "a", 0}, {2000, 3000, "b", 0}};
  const std::vector<SubtitleLine> no_length = {{7000, 7000, "", 0}};
  struct Case {
    const std::vector<SubtitleLine>& lines;
    double x, tolerance;
    TimelineHit hit;
  } cases[] = {
      {touching, 200, 6, {boundary, 0, 0, both}},
      {touching, 203.6, 6, {boundary, 0, 0, both}},  // 0.6 T: still the middle
      {touching, 196.3, 6, {end_edge, 0, 0, left}},
      {touching, 188, 6, {end_edge, 0, 0, left}},  // 2 T to the left
      {touching, 212, 6, {start_edge, 1, 0, right}},
      {touching, 187, 6, {move, 0}},  // past 2 T: the body of the first line
      {touching, 213, 6, {move, 1}},
      {touching, 207, 12, {boundary, 0, 0, both}},  // at scale 2 the tolerance doubles
      // A lone line: its edges at exactly T, its body just inside, nothing past T.
      {touching, 494, 6, {start_edge, 2}},
      {touching, 506, 6, {start_edge, 2}},
      {touching, 507, 6, {move, 2}},
      {touching, 606, 6, {end_edge, 2}},
      {touching, 607, 6, {}},
      {touching, 493, 6, {}},
      {apart_13, 201, 6, {end_edge, 0}},
      {apart_13, 210, 6, {start_edge, 1}},
      {apart_12, 206, 6, {boundary, 0, 0, both}},
      {overlapping, 250, 6, {move, 1}},  // the later line wins
      {overlapping, 350, 6, {move, 0}},
      // A line of no length is still a box 2 px wide whose start is grabbed first.
      {no_length, 701, 6, {start_edge, 0}},
      {no_length, 706, 6, {start_edge, 0}},
  };
  for (const Case& c : cases) EXPECT_EQ(hit_test(c.lines, axis, c.x, c.tolerance), c.hit) << "x " << c.x;
}

TEST(TimelineSnap, PicksTheNearestCandidateWithTheTieRules) {
  std::vector<SubtitleLine> lines = {{1000, 2000, "a", 0}, {3000, 4000, "b", 0}, {2900, 2940, "c", 0}};
  std::vector<SubtitleLine> short_line = {{3000, 3060, "a", 0}};
  // Each: the lines, the playhead, the snap distance, the dragged line, a boundary's, Alt.
  const SnapTargets base{&lines, 6000, 70, -1, false, false}, alone{&short_line, -1000, 70, -1, false, false};
  struct Case {
    const char* name;
    SnapTargets targets;
    double in, out;
  } cases[] = {
      {"nothing near: the time itself", base, 2500, 2500},
      {"a line's end", base, 2040, 2000},
      {"a line's start", base, 960, 1000},
      {"exactly the snap distance is not near", base, 2070, 2070},
      {"the playhead", base, 5950, 6000},
      {"the playhead beats a line's edge as near", {&lines, 2040, 70, -1, false, false}, 2020, 2040},
      // b's start and c's end are both 30 away: b comes first.
      {"an earlier line beats a later one on a tie", base, 2970, 3000},
      {"a line's start beats its own end as near", alone, 3030, 3000},
      {"an end strictly nearer than its own start", alone, 3031, 3060},
      {"the dragged line is no target", {&lines, 6000, 70, 0, false, false}, 2040, 2040},
      {"a boundary skips the line after it too", {&lines, 6000, 70, 0, true, false}, 3030, 3030},
      {"Alt: no snapping", {&lines, 6000, 70, -1, false, true}, 2001, 2001},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(snap_time(c.targets, c.in), c.out) << c.name;
}

}  // namespace
}  // namespace korvix
