#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "editor/editor_test_support.h"
#include "editor/timeline/timeline_drag.h"

namespace korvix::test {
namespace {

class TimelineDragTest : public EditorTest {
 protected:
  // One clip of these lines, 9 s long.
  void open_lines(std::initializer_list<SubtitleLine> lines) { open({clip_of("vo/drag", lines)}); }

  // 1000 px showing 10 s: 10 ms per pixel, so the snap distance is 70 ms.
  TimelineFrame at(double ms) const {
    return {TimeAxis{0, 1000, view_start, 10000}, total_span_ms(clip(), nullptr), editor_sizes(1), ms};
  }
  // Each step presses at one time, holds through the others and releases.
  struct Step {
    double from;
    std::vector<double> through;
    std::vector<uint32_t> times;     // of every line, after the release
    std::optional<std::string> log;  // what the step was heard doing, where that is known
    bool alt = false;
  };
  void run(const std::vector<Step>& steps) {
    for (const Step& step : steps) {
      player.log.clear();
      TimelineFrame press = at(step.from);
      TimelineHit hit = hit_test(clip().lines, press.axis, press.axis.x_of(step.from), edge_tolerance_px);
      timeline.press(press, hit, false, true);
      for (double ms : step.through) timeline.hold(at(ms), step.alt);
      timeline.release();
      EXPECT_EQ(times_of(clip()), step.times) << "from " << step.from;
      if (step.log) {
        EXPECT_EQ(player.log, *step.log) << "from " << step.from;
      }
    }
  }

  double view_start = 0;
  RecordingPlayer player{document};
  TimelineDrag timeline{document, player};
};

TEST_F(TimelineDragTest, EdgesStopAtTheMinimumLengthAndTheSpan) {
  open_lines({{1000, 3000, "first", 0}, {5000, 6000, "second", 0}});  // D = 9000
  run({{1000, {1500, 2500, 2990}, {2900, 3000, 5000, 6000}, "scrub@1500 scrub@2500 scrub@2900 "},
       // An end is heard over its last 85 ms.
       {6000, {8000, 12000}, {2900, 3000, 5000, 9000}, "scrub@7915 scrub@8915 "},
       {5000, {8990}, {2900, 3000, 8900, 9000}, "scrub@8900 "}});
  // Where the bounds cross the lower one wins: the start of a line shorter
  // than 100 ms stays at 0, an end may pass D.
  EXPECT_EQ(dragged_start(500, 60), 0);
  EXPECT_EQ(dragged_end(200, 9000, 8950), 9100);
}

TEST_F(TimelineDragTest, ASharedBoundaryMovesBothLinesButKeepsEach100) {
  open_lines({{1000, 2000, "a", 0}, {2000, 3000, "b", 1}});
  run({{2000, {2500, 2950}, {1000, 2900, 2900, 3000}, "scrub@2500 scrub@2900 "},
       {2900, {200}, {1000, 1100, 1100, 3000}, "scrub@1100 "},
       // Grabbed 1.5 T to the left of the handle: only the first line's end.
       {1100 - 90, {1600}, {1000, 1600, 1100, 3000}, "scrub@1515 "}});
  EXPECT_EQ(document.picked_line, 0);
  // Lines of 50 and 70 ms: the boundary can't keep both 100 long, the lower bound wins.
  open_lines({{1000, 1050, "a", 0}, {1050, 1120, "b", 0}});
  run({{1050, {1300}, {1000, 1100, 1100, 1120}, "scrub@1100 "}});
}

TEST_F(TimelineDragTest, EdgesSnapToOtherLinesUnlessAltIsHeld) {
  open_lines({{1000, 2000, "a", 0}, {3000, 4000, "b", 0}});
  run({{3000, {2500, 2050}, {1000, 2000, 2000, 4000}, "scrub@2500 scrub@2000 "},
       // The lines touch now; grabbed 1.5 T right of the handle: the second start.
       {2090, {2040}, {1000, 2000, 2040, 4000}, "scrub@2040 ", true}});
}

TEST_F(TimelineDragTest, AMovedLineSnapsByTheSmallerShiftAndIsSortedOnRelease) {
  // Proposed at 3997 .. 5997: the start 5 ms after the playhead, the end 3 ms
  // before the next line: the end's shift is the smaller one. Moving a body
  // is not heard and leaves the playhead. Then, dragged far past the end, the
  // whole line stays within D (9000).
  open_lines({{1000, 3000, "moved", 0}, {6000, 7000, "next", 0}});
  document.playhead_ms = 3992;
  run({{1500, {2500, 4497}, {4000, 6000, 6000, 7000}, ""}, {5000, {20000}, {6000, 7000, 7000, 9000}, ""}});
  EXPECT_DOUBLE_EQ(document.playhead_ms, 3992);
  // On release it comes after the other and stays picked.
  EXPECT_EQ(texts_of(clip()), (std::vector<std::string>{"next", "moved"}));
  EXPECT_EQ(document.picked_line, 1);
  EXPECT_FALSE(timeline.active());
  // A line ending before it starts keeps its end at 0 or later when moved.
  EXPECT_EQ(moved_start(-400, 0, 0, -300, 9000), 300);
}

TEST_F(TimelineDragTest, OneUndoStepPerDragAndNoneForAPlainClick) {
  open_lines({{1000, 2000, "a", 0}, {3000, 4000, "b", 0}});
  run({{3500, {}, {1000, 2000, 3000, 4000}, ""}});  // a click on a body: nothing moves
  EXPECT_EQ(document.undo_steps(), 0u);
  EXPECT_FALSE(document.dirty());
  EXPECT_EQ(document.picked_line, 1);
  run({{3500, {3600, 3700, 3800, 3900, 4100}, {1000, 2000, 3600, 4600}, ""}});
  EXPECT_EQ(document.undo_steps(), 1u);
  EXPECT_TRUE(document.dirty());
  EXPECT_TRUE(clip().edited);
  document.undo();
  EXPECT_EQ(times_of(clip()), (std::vector<uint32_t>{1000, 2000, 3000, 4000}));
}

TEST_F(TimelineDragTest, DoubleClicksAddALineInAnEmptySpotOrPlayALine) {
  open_lines({{4200, 6000, "later", 2}});
  EXPECT_TRUE(timeline.press(at(4000), {}, true, true));
  EXPECT_EQ(times_of(clip()), (std::vector<uint32_t>{4000, 4300, 4200, 6000}));
  EXPECT_EQ(document.picked_line, 0);
  EXPECT_FALSE(timeline.active());
  // Outside the lines band a double-click only scrubs.
  EXPECT_FALSE(timeline.press(at(8000), {}, true, false));
  EXPECT_EQ(timeline.mode(), DragMode::scrub);
  timeline.release();
  EXPECT_EQ(clip().lines.size(), 2u);
  // On a line's body: play it from its start, no drag.
  player.log.clear();
  EXPECT_FALSE(timeline.press(at(5000), {DragMode::move, 1}, true, true));
  EXPECT_EQ(player.log, "play@4200 ");
  EXPECT_FALSE(timeline.active());
}

TEST_F(TimelineDragTest, AScrubPausesAndResumesFromWhereItEnded) {
  open_lines({});
  player.is_playing = true;
  // 4 ms is under half a pixel: not heard again; before 0: at 0.
  run({{5000, {5004, 6000, -300}, {}, "pause scrub@5000 scrub@6000 scrub@0 play@0 "}});
  player.is_playing = false;  // a scrub that began paused stays paused
  run({{2000, {}, {}, "pause scrub@2000 "}});
}

TEST_F(TimelineDragTest, TimesAtTheTopOfTheRangeAreClampedNotWrapped) {
  // The line's end stops at the top and is heard there; moved, the line goes as far as D (its end + 250) lets it.
  open_lines({{UINT32_MAX - 300, UINT32_MAX - 100, "last", 0}});
  view_start = UINT32_MAX - 5000.0;
  run({{UINT32_MAX - 100.0, {UINT32_MAX + 1000.0}, {UINT32_MAX - 300, UINT32_MAX}, "scrub@4294967210 "},
       {UINT32_MAX - 200.0, {UINT32_MAX + 1000.0}, {UINT32_MAX - 50, UINT32_MAX}, ""}});
}

}  // namespace
}  // namespace korvix::test
