#include <gtest/gtest.h>

#include "subtitles/editor/timeline/timeline_hit.h"

namespace korvix {
namespace {

// 1000 px from x = 0 showing 0 .. 10 s: 10 ms per pixel.
const TimeAxis axis{0, 1000, 0, 10000};

TEST(TimelineHit, SharedBoundaryFirstThenItsSides) {
  // Lines touching at 2000 ms (x 200), then a lone line from 5000 to 6000.
  std::vector<SubtitleLine> lines = {{1000, 2000, "a", 0}, {2000, 3000, "b", 1}, {5000, 6000, "c", 0}};
  struct Case {
    double x;
    double tolerance;
    TimelineHit hit;
  } cases[] = {
      {200, 6, {DragMode::boundary, 0, 0, BoundarySide::both}},
      {203.6, 6, {DragMode::boundary, 0, 0, BoundarySide::both}},  // 0.6 T: still the middle
      {196.3, 6, {DragMode::end_edge, 0, 0, BoundarySide::left}},
      {188, 6, {DragMode::end_edge, 0, 0, BoundarySide::left}},  // 2 T to the left
      {212, 6, {DragMode::start_edge, 1, 0, BoundarySide::right}},
      {187, 6, {DragMode::move, 0}},  // past 2 T: the body of the first line
      {213, 6, {DragMode::move, 1}},
      // At scale 2 the tolerance doubles: 7 px off is still the middle.
      {207, 12, {DragMode::boundary, 0, 0, BoundarySide::both}},
      // A lone line: its edges at exactly T, its body just inside, nothing past T.
      {494, 6, {DragMode::start_edge, 2}},
      {506, 6, {DragMode::start_edge, 2}},
      {507, 6, {DragMode::move, 2}},
      {606, 6, {DragMode::end_edge, 2}},
      {607, 6, {}},
      {493, 6, {}},
      {400, 6, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(hit_test(lines, axis, c.x, c.tolerance), c.hit) << "x " << c.x;
}

TEST(TimelineHit, GapsWiderThanTwoTolerancesHaveNoHandle) {
  // 13 px apart on screen: two separate edges.
  std::vector<SubtitleLine> lines = {{1000, 2000, "a", 0}, {2130, 3000, "b", 0}};
  EXPECT_FALSE(shares_boundary(axis, lines[0], lines[1], 6));
  EXPECT_EQ(hit_test(lines, axis, 201, 6), (TimelineHit{DragMode::end_edge, 0}));
  EXPECT_EQ(hit_test(lines, axis, 210, 6), (TimelineHit{DragMode::start_edge, 1}));
  // 12 px apart: one handle between them.
  lines[1].start_ms = 2120;
  EXPECT_TRUE(shares_boundary(axis, lines[0], lines[1], 6));
  EXPECT_EQ(hit_test(lines, axis, 206, 6), (TimelineHit{DragMode::boundary, 0, 0, BoundarySide::both}));
}

TEST(TimelineHit, LaterLinesWinWhereLinesOverlap) {
  std::vector<SubtitleLine> lines = {{1000, 4000, "a", 0}, {2000, 3000, "b", 0}};
  EXPECT_EQ(hit_test(lines, axis, 250, 6), (TimelineHit{DragMode::move, 1}));
  EXPECT_EQ(hit_test(lines, axis, 350, 6), (TimelineHit{DragMode::move, 0}));
  // A line of no length is still a box 2 px wide whose start is grabbed first.
  std::vector<SubtitleLine> empty = {{7000, 7000, "", 0}};
  EXPECT_EQ(hit_test(empty, axis, 701, 6), (TimelineHit{DragMode::start_edge, 0}));
  EXPECT_EQ(hit_test(empty, axis, 706, 6), (TimelineHit{DragMode::start_edge, 0}));
}

TEST(TimelineSnap, PicksTheNearestCandidateWithTheTieRules) {
  std::vector<SubtitleLine> lines = {{1000, 2000, "a", 0}, {3000, 4000, "b", 0}, {2900, 2940, "c", 0}};
  SnapTargets base{&lines, 6000, 70, -1, false, false};
  auto with = [&](auto change) {
    SnapTargets t = base;
    change(t);
    return t;
  };
  struct Case {
    const char* name;
    SnapTargets targets;
    double in;
    double out;
  } cases[] = {
      {"nothing near: the time itself", base, 2500, 2500},
      {"a line's end", base, 2040, 2000},
      {"a line's start", base, 960, 1000},
      {"exactly the snap distance is not near", base, 2070, 2070},
      {"the playhead", base, 5950, 6000},
      {"the playhead beats a line's edge at the same distance", with([](SnapTargets& t) { t.playhead_ms = 2040; }),
       2020, 2040},
      // b's start and c's end are both 30 away: b comes first.
      {"an earlier line beats a later one on a tie", base, 2970, 3000},
      {"the dragged line is no target", with([](SnapTargets& t) { t.skipped_line = 0; }), 2040, 2040},
      {"a boundary skips the line after it too", with([](SnapTargets& t) {
         t.skipped_line = 0;
         t.skip_next_line = true;
       }),
       3030, 3030},
      {"Alt: no snapping", with([](SnapTargets& t) { t.off = true; }), 2001, 2001},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(snap_time(c.targets, c.in), c.out) << c.name;
}

TEST(TimelineSnap, ALineOfTheSameStartAndEndSnapsToItsStart) {
  // Start and end equally near: the start wins; an end only when strictly nearer than its own start.
  std::vector<SubtitleLine> lines = {{3000, 3060, "a", 0}};
  SnapTargets t{&lines, -1000, 70, -1, false, false};
  EXPECT_DOUBLE_EQ(snap_time(t, 3030), 3000);
  EXPECT_DOUBLE_EQ(snap_time(t, 3031), 3060);
}

}  // namespace
}  // namespace korvix
